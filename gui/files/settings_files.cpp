#include "gui/files/settings_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include "core/link/frame.h"
#include "gui/files/journal_dialog.h"
#include "gui/link/instrument_context.h"
#include "gui/views/decimal_input.h"
#include "gui/views/file_choice.h"
#include "gui/views/window_placement.h"
#include "program/file_writing.h"

namespace velmar {

namespace {

QString JournalFolder(const QString& chosen) { return chosen.isEmpty() ? DefaultJournalFolder() : chosen; }

QString LinkErrorText(uint8_t code) { return QString::fromStdString(BlockErrorText(code)); }

QString Captions(const std::vector<std::string>& names) {
    QStringList out;
    for (const std::string& n : names) out << QString::fromUtf8(FindSettingsBlock(n)->caption);
    return out.join(", ");
}

}  // namespace

SettingsFiles::SettingsFiles(InstrumentContext& ctx, QMenuBar* menuBar, FileChooser chooseFile,
                             const QString& journalFolder)
    : QObject(ctx.window), ctx_(ctx), chooseFile_(std::move(chooseFile)), journal_(JournalFolder(journalFolder)) {
    setObjectName("SettingsFiles");
    menu_ = menuBar->addMenu(QString::fromUtf8("&Beállítások"));
    QMenu* menu = menu_;
    menu->setObjectName("Menu_Settings");
    auto add = [&](const char* name, const char* text, void (SettingsFiles::*slot)()) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    Action_SaveSettings = add("Action_SaveSettings", "Mentés fájlba…", &SettingsFiles::SaveToFile);
    Action_LoadCompare = add("Action_LoadCompare", "Betöltés és összehasonlítás…", &SettingsFiles::LoadAndCompare);
    Action_FactoryDiff = add("Action_FactoryDiff", "Eltérés a gyári értékektől", &SettingsFiles::CompareWithFactory);
    Action_History = add("Action_History", "Előzmények…", &SettingsFiles::ShowHistory);
    menu->addSeparator();
    Action_EditFile = add("Action_EditFile", "Fájl szerkesztése…", &SettingsFiles::EditFile);
    connect(&ctx.events, &InstrumentEvents::blockExchanged, this, &SettingsFiles::Observe);
}

SettingsFiles::~SettingsFiles() = default;

void SettingsFiles::Observe(uint8_t command, const Bytes& request, const Bytes& answer) {
    // The journal follows the instrument the status answers name.
    const InstrumentIdentity id = Identity();
    if (id.deviceType == 0) return;
    if (!journal_.Attached() || journal_.PathFor(id.deviceType, id.serial) != journal_.FilePath())
        journal_.Attach(id.deviceType, id.serial);
    journal_.Observe(command, request, answer);
    // Told after the answer has been dealt with, not from inside it.
    if (const QString failure = journal_.TakeFailure(); !failure.isEmpty())
        QTimer::singleShot(0, this, [this, failure] {
            ctx_.Inform(QString::fromUtf8("Az előzmények feljegyzése nem sikerült: ") + failure);
        });
}

InstrumentFit SettingsFiles::Fit() const {
    const tRX& rx = ctx_.recRX;
    return {rx.uDevice, rx.uPXOptIn, rx.uPXOptOutPrimer, rx.uPXOptOutSecondary, ctx_.bVelmarMode};
}

InstrumentIdentity SettingsFiles::Identity() const {
    const tRX& rx = ctx_.recRX;
    InstrumentIdentity id{rx.uDevice, rx.uDeviceID, rx.uGyariSzamEv, rx.uGyariSzamHonap, {}};
    id.firmware = ctx_.firmware.toStdString();
    return id;
}

int SettingsFiles::MeasuredDecimals() const { return ctx_.recRX.uDecimalPoint; }

FieldContext SettingsFiles::Context(int measuredDecimals) const { return {measuredDecimals, ctx_.recRX.uDevice}; }

bool SettingsFiles::CheckInstrument() {
    if (busy_) {
        ctx_.Inform(QString::fromUtf8("Egy beállításművelet már folyamatban van."));
        return false;
    }
    if (!ctx_.recMBU.bOnline || ctx_.recRX.uDevice == 0) {
        ctx_.Inform(QString::fromUtf8(
            "Nincs kapcsolat a készülékkel: csatlakoztassa, és várja meg, amíg az adatai megjelennek."));
        return false;
    }
    if (BlocksOf(Fit()).empty()) {
        ctx_.Inform(QString::fromUtf8("Ennek a készüléknek nincs fájlba menthető beállítása."));
        return false;
    }
    return true;
}

QString SettingsFiles::ChooseFile(const QString& caption, bool save, const QString& suggested) {
    if (chooseFile_) return chooseFile_(caption, save);
    const QString filter = QString::fromUtf8("Velmar beállítások (*.velmar.json);;Minden fájl (*)");
    if (!save) return ChooseOpenFile(ctx_.window, caption, filter);
    if (!suggested.isEmpty()) {
        // The file at hand, saved under its own name where it is.
        const QString path = QFileDialog::getSaveFileName(ctx_.window, caption, suggested, filter, nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        RememberFolder(path);
        return path;
    }
    const InstrumentIdentity id = Identity();
    return ChooseSaveFile(ctx_.window, caption, InstrumentFileStem(id.deviceType, id.serial) + ".velmar.json", filter);
}

QProgressDialog* SettingsFiles::Progress(const QString& text, int steps) {
    if (progress_) progress_->deleteLater();
    progress_ = new QProgressDialog(text, QString::fromUtf8("Mégse"), 0, steps, ctx_.window);
    progress_->setObjectName("ProgressDialog_Settings");
    progress_->setWindowTitle(QString::fromUtf8("Beállítások"));
    progress_->setMinimumDuration(300);
    progress_->setValue(0);
    connect(progress_, &QProgressDialog::canceled, ctx_.window, [this] { ctx_.engine.CancelAll(); });
    return progress_;
}

void SettingsFiles::ReadBlocks(std::vector<const SettingsBlockInfo*> blocks, bool defaults, ReadDone done) {
    busy_ = true;
    Progress(defaults ? QString::fromUtf8("Gyári értékek olvasása…") : QString::fromUtf8("Beállítások olvasása…"),
             int(blocks.size()));
    velmar::ReadBlocks(
        ctx_.engine, std::move(blocks), defaults,
        [this](std::size_t n, std::size_t) {
            if (progress_) progress_->setValue(int(n));
        },
        [this, done = std::move(done)](BlockReadResult r) {
            if (progress_) progress_->reset();
            busy_ = false;
            if (r.error != 0)
                return done(std::nullopt, QString::fromUtf8("%1: %2").arg(QString::fromUtf8(r.failed->caption),
                                                                          LinkErrorText(r.error)));
            done(std::move(r.blocks), {});
        });
}

void SettingsFiles::WriteBlocks(BlockImages blocks, WriteDone done) {
    busy_ = true;
    Progress(QString::fromUtf8("Beállítások beírása…"), int(blocks.size()));
    velmar::WriteBlocks(
        ctx_.engine, std::move(blocks),
        [this](std::size_t n, std::size_t) {
            if (progress_) progress_->setValue(int(n));
        },
        [this, done = std::move(done)](BlockWriteResult r) {
            if (progress_) progress_->reset();
            busy_ = false;
            WriteReport report{r.verified, r.mismatched, {}};
            if (r.error != 0)
                report.error = QString::fromUtf8("%1%2: %3")
                                   .arg(QString::fromUtf8(r.failed->caption),
                                        r.failedReadingBack ? QString::fromUtf8(" visszaolvasása") : QString(),
                                        LinkErrorText(r.error));
            done(std::move(report));
        });
}

void SettingsFiles::SaveToFile() {
    if (!CheckInstrument()) return;
    const QString path = ChooseFile(QString::fromUtf8("Beállítások mentése"), true);
    if (path.isEmpty()) return;
    const InstrumentIdentity id = Identity();
    ReadBlocks(BlocksOf(Fit()), false, [this, path, id](std::optional<BlockImages> blocks, QString error) {
        if (!blocks) return ctx_.Inform(QString::fromUtf8("A beállítások mentése nem sikerült. ") + error);
        // The decimals of the status answers that came with the blocks: a
        // save asked for at once after plugging in may precede the first.
        SettingsSnapshot s{id, MeasuredDecimals(), std::move(*blocks)};
        QString why;
        if (!WriteFileWhole(path, WriteSettingsFile(s, ctx_.ProgramDateText()), &why))
            return ctx_.Inform(QString::fromUtf8("A fájl nem írható: %1 (%2)").arg(path, why));
        ctx_.Inform(QString::fromUtf8("%1 beállításblokk elmentve: %2").arg(s.blocks.size()).arg(path));
    });
}

void SettingsFiles::LoadAndCompare() {
    if (!CheckInstrument()) return;
    const QString path = ChooseFile(QString::fromUtf8("Beállítások betöltése"), false);
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ctx_.Inform(QString::fromUtf8("A fájl nem olvasható: %1 (%2)").arg(path, file.errorString()));
    QString error;
    const std::optional<SettingsSnapshot> s = ReadSettingsFile(file.read(4 << 20), ctx_.recRX.uDevice, &error);
    const std::vector<const SettingsBlockInfo*> blocks = BlocksOf(Fit());
    if (!s || !SameBlocks(*s, blocks, &error))
        return ctx_.Inform(QString::fromUtf8("A fájl nem tölthető be, semmi sem íródott a készülékbe. ") +
                           WithDecimalSeparator(error, ctx_.DecimalSeparator));
    ReadBlocks(blocks, false, [this, s, path](std::optional<BlockImages> now, QString why) {
        if (!now) return ctx_.Inform(QString::fromUtf8("A készülék beállításai nem olvashatók. ") + why);
        OpenCompare(QString::fromUtf8("Összehasonlítás a fájllal: %1").arg(QFileInfo(path).fileName()),
                    QString::fromUtf8("Fájl"), std::move(*now), s->blocks, s->measuredDecimals);
    });
}

void SettingsFiles::CompareWithFactory() {
    if (!CheckInstrument()) return;
    const std::vector<const SettingsBlockInfo*> blocks = BlocksOf(Fit());
    ReadBlocks(blocks, false, [this, blocks](std::optional<BlockImages> now, QString why) {
        if (!now) return ctx_.Inform(QString::fromUtf8("A készülék beállításai nem olvashatók. ") + why);
        ReadBlocks(blocks, true, [this, now](std::optional<BlockImages> factory, QString why2) {
            if (!factory) return ctx_.Inform(QString::fromUtf8("A gyári értékek nem olvashatók. ") + why2);
            for (auto& [name, bytes] : *factory) bytes = FindSettingsBlock(name)->defaultsAsBlock(bytes, now->at(name));
            // The factory values in the decimals they would bring back.
            const int factoryDecimals = FollowMeasuredDecimals(MeasuredDecimals(), *now, *factory);
            OpenCompare(QString::fromUtf8("Eltérés a gyári értékektől"), QString::fromUtf8("Gyári érték"), *now,
                        std::move(*factory), factoryDecimals);
        });
    });
}

void SettingsFiles::ShowHistory() {
    auto* dialog = new TForm_Journal(ctx_.window, journal_, Context(MeasuredDecimals()), ctx_.DecimalSeparator);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TForm_Journal::restoreRequested, this, &SettingsFiles::RestoreAsFound);
    PositionFormToCenterOfMainForm(dialog, ctx_.window);
    dialog->open();
}

void SettingsFiles::RestoreAsFound() {
    if (!CheckInstrument()) return;
    const InstrumentIdentity id = Identity();
    if (!journal_.Attached() || journal_.PathFor(id.deviceType, id.serial) != journal_.FilePath())
        journal_.Attach(id.deviceType, id.serial);
    BlockImages found;
    for (auto& [name, bytes] : journal_.LastAsFound()) found[name] = bytes;
    std::vector<const SettingsBlockInfo*> blocks;
    for (const SettingsBlockInfo* b : BlocksOf(Fit()))
        if (found.count(b->name)) blocks.push_back(b);
    if (blocks.empty())
        return ctx_.Inform(QString::fromUtf8("A naplóban nincs megtalált állapot ehhez a készülékhez."));
    ReadBlocks(blocks, false, [this, found](std::optional<BlockImages> now, QString why) {
        if (!now) return ctx_.Inform(QString::fromUtf8("A készülék beállításai nem olvashatók. ") + why);
        // The state found read in the decimals it was found in.
        const int foundDecimals = FollowMeasuredDecimals(MeasuredDecimals(), *now, found);
        OpenCompare(QString::fromUtf8("Visszaállítás a megtalált állapotra"), QString::fromUtf8("Megtalált állapot"),
                    std::move(*now), found, foundDecimals);
    });
}

void SettingsFiles::OpenCompare(const QString& title, const QString& otherCaption, BlockImages instrument,
                                BlockImages other, int otherDecimals) {
    auto* dialog = new TForm_Compare(ctx_.window, title, otherCaption);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetDecimalSeparator(ctx_.DecimalSeparator);
    dialog->Show(instrument, Context(MeasuredDecimals()), other, Context(otherDecimals));
    QPointer<TForm_Compare> guard(dialog);
    connect(dialog, &TForm_Compare::writeRequested, this,
            [this, guard, other, otherDecimals](const BlockImages& chosen) {
                if (busy_) return;
                guard->SetBusy(true);
                WriteBlocks(chosen, [this, guard, other, otherDecimals, chosen](WriteReport report) {
                    if (!guard) return;
                    QStringList lines;
                    if (!report.verified.empty())
                        lines << QString::fromUtf8("Beírva és visszaolvasva: %1.").arg(Captions(report.verified));
                    if (!report.mismatched.empty())
                        lines << QString::fromUtf8("Visszaolvasva eltér: %1.").arg(Captions(report.mismatched));
                    if (!report.error.isEmpty()) lines << QString::fromUtf8("Megszakadt: ") + report.error;
                    // Shows the instrument as it now is: what the journal last knew of it.
                    BlockImages now;
                    for (const auto& [name, bytes] : other) {
                        const auto known = journal_.Known().find(name);
                        if (known != journal_.Known().end()) now[name] = known->second;
                    }
                    guard->SetBusy(false);
                    if (now.size() == other.size())
                        guard->Show(now, Context(MeasuredDecimals()), other, Context(otherDecimals));
                    guard->ShowResult(lines.join('\n'));
                });
            });
    PositionFormToCenterOfMainForm(dialog, ctx_.window);
    dialog->open();
}

}  // namespace velmar
