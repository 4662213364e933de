// Settings files, the compare table and the journal, driven as a user does
// against the in-process virtual instrument.

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "core/modules/analog_input_codec.h"
#include "core/modules/analog_output_codec.h"
#include "gui/files/compare_dialog.h"
#include "gui/files/compare_table.h"
#include "gui/files/journal_dialog.h"
#include "gui/files/settings_files.h"
#include "tests/support/block_io.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

// The program on a virtual instrument, its file choices and messages caught.
struct FilesProgram {
    QString file;  // what the file dialog answers
    QStringList informed;
    std::unique_ptr<InstrumentProgram> program;
    TForm1* w = nullptr;
    SettingsFiles* files = nullptr;
    int writes = 0;  // block writes that reached the instrument

    explicit FilesProgram(sim::InstrumentConfig cfg, QStringList args = {}) {
        program = std::make_unique<InstrumentProgram>(
            cfg, [] { return 5.0; },
            [&](StartupOptions& o) {
                o.arguments = args;
                o.inform = [this](const QString& t) { informed << t; };
                o.chooseFile = [this](const QString&, bool) { return file; };
            });
        w = program->w;
        files = w->settingsFiles;
        file = program->dir.filePath("settings.velmar.json");
        QObject::connect(&w->events, &InstrumentEvents::blockExchanged, w,
                         [this](uint8_t c, const Bytes&, const Bytes&) {
                             if (BlockOfWrite(c)) ++writes;
                         });
    }
    // A PX330 with the given modules.
    static sim::InstrumentConfig PX330(uint8_t in, uint8_t out1, uint8_t out2) {
        sim::InstrumentConfig cfg;
        cfg.optIn = in;
        cfg.optOut1 = out1;
        cfg.optOut2 = out2;
        return cfg;
    }
    // "Mentés fájlba…" to the end.
    void Save() {
        informed.clear();
        files->SaveToFile();
        WAIT_FOR(!informed.isEmpty(), 10000);
        ASSERT_TRUE(informed.last().contains("elmentve")) << Messages();
    }
    void WaitOnline() {
        // The status answer names the modules the blocks follow.
        const sim::VirtualInstrument& vi = program->hid.Instrument();
        WAIT_FOR(w->recMBU.bOnline && w->recRX.uDevice == vi.Config().deviceType && w->recRX.uPXOptIn == vi.OptIn() &&
                     w->recRX.uPXOptOutPrimer == vi.OptOut1() && w->recRX.uPXOptOutSecondary == vi.OptOut2(),
                 3000);
    }
    TForm_Compare* Compare() { return w->findChild<TForm_Compare*>("Form_Compare"); }
    std::string Messages() const {
        return informed.join(" | ").toStdString() + " fit " + std::to_string(w->recRX.uDevice) + "/" +
               std::to_string(w->recRX.uPXOptIn) + "/" + std::to_string(w->recRX.uPXOptOutPrimer) + "/" +
               std::to_string(w->recRX.uPXOptOutSecondary);
    }
    // Reads every block the way the settings files do.
    BlockImages ReadAll() {
        std::optional<BlockImages> got;
        bool done = false;
        files->ReadBlocks(BlocksOf({w->recRX.uDevice, w->recRX.uPXOptIn, w->recRX.uPXOptOutPrimer,
                                    w->recRX.uPXOptOutSecondary, w->bVelmarMode}),
                          false, [&](std::optional<BlockImages> b, QString) {
                              got = std::move(b);
                              done = true;
                          });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
        return got.value_or(BlockImages{});
    }
    void WriteAll(const BlockImages& blocks) {
        bool done = false;
        files->WriteBlocks(blocks, [&](SettingsFiles::WriteReport r) {
            EXPECT_EQ(r.error, "");
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
    }
    QJsonObject FileJson() {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    void WriteFile(const QJsonObject& o) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(o).toJson());
    }
};

// Another legal value for the first field of each block that can take one,
// so every block differs from what was saved.
BlockImages Changed(const BlockImages& blocks, int decimals) {
    BlockImages out = blocks;
    for (auto& [name, bytes] : out) {
        for (const BlockField& f : FindSettingsBlock(name)->fields(bytes, decimals)) {
            if (f.kind == FieldKind::Text || f.kind == FieldKind::F32 || f.meta.min > f.meta.max) continue;
            const double scale = std::pow(10.0, f.decimals);
            const double other = f.number * scale == f.meta.max ? f.meta.min : f.meta.max;
            if (SetFieldNumber(bytes, f, other / scale).empty()) break;
        }
    }
    return out;
}

struct RoundTripCase {
    const char* what;
    uint16_t type;
    std::optional<uint8_t> in, out1, out2;
    bool service;
};

class SettingsFileRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Save, spoil every block, load the file and write every difference: the
// instrument holds again, byte for byte, what was saved.
TEST_P(SettingsFileRoundTrip, LoadingTheSavedFileRestoresEveryBlock) {
    const RoundTripCase& c = GetParam();
    sim::InstrumentConfig cfg;
    cfg.deviceType = c.type;
    cfg.optIn = c.in;
    cfg.optOut1 = c.out1;
    cfg.optOut2 = c.out2;
    FilesProgram p(cfg, c.service ? QStringList{"/QZKTRM"} : QStringList{});
    p.WaitOnline();
    p.Save();
    const QJsonObject saved = p.FileJson();
    EXPECT_EQ(saved["instrument"].toObject()["deviceType"].toInt(), c.type);
    const BlockImages before = p.ReadAll();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(saved["blocks"].toObject().size(), qsizetype(before.size()));
    for (const auto& [name, bytes] : before)
        EXPECT_EQ(saved["blocks"].toObject()[name.c_str()].toObject()["raw"].toString().toStdString(), HexOf(bytes))
            << name;

    p.WriteAll(Changed(before, p.w->recRX.uDecimalPoint));
    ASSERT_NE(p.ReadAll(), before) << "the instrument was changed";

    p.files->LoadAndCompare();
    WAIT_FOR(p.Compare(), 10000) << p.Messages();
    TForm_Compare* d = p.Compare();
    EXPECT_GE(d->DifferenceCount(), int(before.size()));
    const int writesBefore = p.writes;
    d->Button_Write->click();
    WAIT_FOR(d->Label_Result->text().contains("visszaolvasva"), 10000);
    EXPECT_FALSE(d->Label_Result->text().contains("eltér")) << d->Label_Result->text().toStdString();
    EXPECT_EQ(p.writes - writesBefore, int(before.size()));
    EXPECT_EQ(p.ReadAll(), before);
    EXPECT_EQ(d->DifferenceCount(), 0) << "the table shows the instrument as it now is";
}

INSTANTIATE_TEST_SUITE_P(Instruments, SettingsFileRoundTrip,
                         ::testing::Values(RoundTripCase{"PX330_input_relay_output", 330, 1, 5, 3, false},
                                           RoundTripCase{"PX330_rtd_modbus_relay", 330, 2, 4, 5, false},
                                           RoundTripCase{"PX530", 530, 0, std::nullopt, std::nullopt, false},
                                           RoundTripCase{"PX310", 310, std::nullopt, 3, std::nullopt, false},
                                           RoundTripCase{"PX350", 350, std::nullopt, std::nullopt, std::nullopt, false},
                                           RoundTripCase{"PX210", 210, 0, std::nullopt, std::nullopt, false},
                                           RoundTripCase{"PX330_service", 330, 1, 3, 0, true}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(SettingsFiles, OnlyTheTickedDifferencesAreWritten) {
    FilesProgram p(FilesProgram::PX330(1, 5, 0));
    p.WaitOnline();
    p.Save();
    auto& s = p.program->hid.Instrument().Settings();
    s.input.scaleHigh = 5000;
    s.input.inputType = 2;
    s.limits[0].a = 1234;
    const LimitBlock limitNow = s.limits[0];

    p.files->LoadAndCompare();
    WAIT_FOR(p.Compare(), 10000) << p.Messages();
    TForm_Compare* d = p.Compare();
    ASSERT_EQ(d->DifferenceCount(), 3);
    EXPECT_TRUE(d->windowTitle().endsWith(".json")) << "the title names the file: " << d->windowTitle().toStdString();
    EXPECT_EQ(d->StringGrid_Compare->verticalScrollBar()->value(), 0) << "read from the first row";
    // Untick the input type and the relay's A value: only the scale goes back.
    QTableWidget* t = d->StringGrid_Compare;
    for (int r = 0; r < t->rowCount(); ++r) {
        const QString field = t->item(r, 1)->text();
        if (field == QString::fromUtf8("Típus") || field == QString::fromUtf8("A érték"))
            t->item(r, 0)->setCheckState(Qt::Unchecked);
    }
    d->Button_Write->click();
    WAIT_FOR(d->Label_Result->text().contains("visszaolvasva"), 10000);
    EXPECT_EQ(s.input.scaleHigh, AnalogInputBlock{}.scaleHigh);
    EXPECT_EQ(s.input.inputType, 2) << "unticked";
    EXPECT_EQ(s.limits[0], limitNow) << "a block without a ticked field is not written";
    EXPECT_EQ(p.writes, 1);
}

// An instrument may hold what its dialogs would not take: codes past their
// lists, numbers past their limits, floats that are not numbers (JSON writes
// those as null). The file saved from it loads again with the same bytes.
TEST(SettingsFiles, WhateverTheInstrumentHeldLoadsBackUnchanged) {
    for (const SettingsBlockInfo& info : SettingsBlocks()) {
        for (uint8_t fill : {uint8_t(0xFF), uint8_t(0x7F), uint8_t(0x80)}) {
            SettingsSnapshot saved;
            saved.identity.deviceType = 330;
            saved.measuredDecimals = 2;
            saved.blocks[info.name] = Bytes(info.size, fill);
            QString error;
            const auto loaded = ReadSettingsFile(WriteSettingsFile(saved, "test"), 330, &error);
            ASSERT_TRUE(loaded) << info.name << " filled with " << int(fill) << ": " << error.toStdString();
            EXPECT_EQ(loaded->blocks.at(info.name), saved.blocks[info.name]) << info.name << " " << int(fill);
        }
    }
}

TEST(SettingsFiles, ABadFileIsRefusedAndNothingIsWritten) {
    FilesProgram p(FilesProgram::PX330(1, 5, 0));
    p.WaitOnline();
    p.Save();
    const QJsonObject good = p.FileJson();
    auto edit = [&](auto change) {
        QJsonObject o = good;
        change(o);
        return QJsonDocument(o).toJson();
    };
    auto field = [](QJsonObject& o, const char* block, const char* name, QJsonValue v) {
        QJsonObject blocks = o["blocks"].toObject(), b = blocks[block].toObject(), f = b["fields"].toObject();
        f[name] = v;
        b["fields"] = f;
        blocks[block] = b;
        o["blocks"] = blocks;
    };
    struct Case {
        const char* what;
        QByteArray content;
        const char* message;  // a part of the refusal
    } cases[] = {
        {"not JSON", "{\"format\": 1, \"blocks\": ", "JSON"},
        {"another type", edit([](QJsonObject& o) {
             QJsonObject id = o["instrument"].toObject();
             id["deviceType"] = 530;
             o["instrument"] = id;
         }),
         "530"},
        {"newer format", edit([](QJsonObject& o) { o["format"] = 2; }), "újabb"},
        {"missing block", edit([](QJsonObject& o) {
             QJsonObject blocks = o["blocks"].toObject();
             blocks.remove("limit1");
             o["blocks"] = blocks;
         }),
         "hiányzik"},
        {"out of range", edit([&](QJsonObject& o) { field(o, "analogInput", "inputType", 9); }), "Típus"},
        {"too many decimals", edit([&](QJsonObject& o) { field(o, "analogInput", "scaleLow", 0.001); }), "tizedesjegy"},
        {"text for a number", edit([&](QJsonObject& o) { field(o, "limit1", "a", "sok"); }), "A érték"},
        {"damaged bytes", edit([](QJsonObject& o) {
             QJsonObject blocks = o["blocks"].toObject(), b = blocks["limit1"].toObject();
             b["raw"] = "12xz";
             blocks["limit1"] = b;
             o["blocks"] = blocks;
         }),
         "raw"},
        {"unknown block", edit([](QJsonObject& o) {
             QJsonObject blocks = o["blocks"].toObject();
             blocks["teleport"] = QJsonObject{};
             o["blocks"] = blocks;
         }),
         "teleport"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile f(p.file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        p.informed.clear();
        p.files->LoadAndCompare();
        ASSERT_EQ(p.informed.size(), 1);
        EXPECT_TRUE(p.informed[0].contains("semmi sem íródott")) << p.informed[0].toStdString();
        EXPECT_TRUE(p.informed[0].contains(QString::fromUtf8(c.message))) << p.informed[0].toStdString();
        EXPECT_EQ(p.Compare(), nullptr);
    }
    EXPECT_EQ(p.writes, 0);
}

TEST(SettingsFiles, FactoryDifferencesShowWhatWasChangedOnSite) {
    FilesProgram p(FilesProgram::PX330(1, 0, 0));
    p.WaitOnline();
    p.program->hid.Instrument().Settings().input.scaleLow = -500;
    p.files->CompareWithFactory();
    WAIT_FOR(p.Compare(), 10000) << p.Messages();
    TForm_Compare* d = p.Compare();
    ASSERT_EQ(d->DifferenceCount(), 1);
    QTableWidget* t = d->StringGrid_Compare;
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 0)->flags() & Qt::ItemIsUserCheckable) {
            EXPECT_EQ(t->item(r, 1)->text(), QString::fromUtf8("Skála alsó számérték"));
            EXPECT_EQ(t->item(r, 2)->text(), "-5.00");
            EXPECT_EQ(t->item(r, 3)->text(), "0.00");
        }
}

// The compare table as a person reads it: choices by their text, numbers
// with the system's decimal separator.
TEST(SettingsFiles, TheCompareTableNamesTheChoices) {
    FilesProgram p(FilesProgram::PX330(1, 0, 0));
    p.WaitOnline();
    p.w->DecimalSeparator = ',';
    AnalogInputBlock& input = p.program->hid.Instrument().Settings().input;
    input.inputType = 2;
    input.averageCount = 40;
    input.scaleLow = -500;
    p.files->CompareWithFactory();
    WAIT_FOR(p.Compare(), 10000) << p.Messages();
    QTableWidget* t = p.Compare()->StringGrid_Compare;
    std::map<QString, std::pair<QString, QString>> shown;
    for (int r = 0; r < t->rowCount(); ++r)
        shown[t->item(r, 1)->text()] = {t->item(r, 2)->text(), t->item(r, 3)->text()};
    const struct {
        const char* field;
        const char* instrument;
        const char* factory;
    } cases[] = {
        {"Típus", "Feszültség 0-10 V", "Áram 4-20 mA"},
        {"Mérési idő", "500 ms", "200 ms"},
        {"Skála alsó számérték", "-5,00", "0,00"},
    };
    for (const auto& c : cases) {
        const auto row = shown.find(QString::fromUtf8(c.field));
        ASSERT_NE(row, shown.end()) << c.field;
        EXPECT_EQ(row->second.first, QString::fromUtf8(c.instrument)) << c.field;
        EXPECT_EQ(row->second.second, QString::fromUtf8(c.factory)) << c.field;
    }
}

TEST(SettingsFiles, TheJournalRestoresTheStateAsFound) {
    FilesProgram p(FilesProgram::PX330(1, 5, 0));
    p.WaitOnline();
    const BlockImages found = p.ReadAll();  // the first reading after the attach
    BlockImages spoiled = Changed(found, p.w->recRX.uDecimalPoint);
    p.WriteAll(spoiled);
    ASSERT_NE(p.ReadAll(), found);

    const std::vector<JournalEntry> entries = p.files->Journal().Entries();
    ASSERT_EQ(entries.size(), 4u) << "two blocks as found, two writes";
    EXPECT_EQ(entries[2].kind, JournalEntry::Written);
    EXPECT_EQ(entries[2].before, found.at(entries[2].block));
    EXPECT_EQ(entries[2].after, spoiled.at(entries[2].block));
    EXPECT_TRUE(p.files->Journal().FilePath().endsWith("PX330-004711.jsonl"));

    p.files->ShowHistory();
    auto* history = p.w->findChild<TForm_Journal*>("Form_Journal");
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->StringGrid_Journal->rowCount(), 4);
    history->Button_RestoreAsFound->click();
    WAIT_FOR(p.Compare(), 10000) << p.Messages();
    p.Compare()->Button_Write->click();
    WAIT_FOR(p.Compare()->Label_Result->text().contains("visszaolvasva"), 10000);
    EXPECT_EQ(p.ReadAll(), found);
}

TEST(SettingsFiles, PollingGoesOnAndAnUnplugEndsTheSaveCleanly) {
    sim::InstrumentConfig cfg = FilesProgram::PX330(1, 5, 3);
    cfg.latencyMs = 20;
    FilesProgram p(cfg);
    p.WaitOnline();
    int statusAnswers = 0;
    p.w->commands.SetDecoder(101, [&, w = p.w] {
        ++statusAnswers;
        w->ProcessStatusAnswer();
    });
    p.files->SaveToFile();
    WAIT_FOR(!p.informed.isEmpty(), 10000);
    EXPECT_GE(statusAnswers, 2) << "status answers between the block reads";

    p.informed.clear();
    QFile::remove(p.file);
    p.files->SaveToFile();
    p.program->hid.Unplug();
    WAIT_FOR(!p.informed.isEmpty(), 5000);
    EXPECT_TRUE(p.informed[0].contains("nem sikerült")) << p.informed[0].toStdString();
    EXPECT_FALSE(QFile::exists(p.file)) << "no half file";
    p.program->hid.Plug();
    WAIT_FOR(p.w->recMBU.bOnline, 3000);
    p.informed.clear();
    p.files->SaveToFile();
    WAIT_FOR(!p.informed.isEmpty(), 10000);
    EXPECT_TRUE(p.informed[0].contains("elmentve")) << "the link is usable again";
}

// A write in the journal's table: each field it changed, as it was and as
// it became.
TEST(SettingsJournal, AWriteShowsEachChangedFieldBeforeAndAfter) {
    QTemporaryDir dir;
    SettingsJournal journal(dir.path());
    journal.Attach(330, 4711);
    AnalogOutputBlock before, after = before;
    after.type = 2;
    after.scaleLow = 1250;
    const auto layout = [](auto& io, AnalogOutputBlock& b) { AnalogOutputLayout(io, b); };
    journal.Observe(kReadAnalogOutput1, {}, test::Encode(before, layout));
    journal.Observe(kWriteAnalogOutput1, test::Encode(after, layout), {});
    TForm_Journal dialog(nullptr, journal, {2, 330}, ',');
    QTableWidget* t = dialog.StringGrid_Journal;
    ASSERT_EQ(t->rowCount(), 2);
    EXPECT_EQ(t->item(0, 1)->text(), QString::fromUtf8("Beírás")) << "newest first";
    EXPECT_EQ(t->item(0, 3)->text(), QString::fromUtf8("Típus: Áram 4-20 mA → Feszültség 0-10 V\n"
                                                       "Alsó értékhez tartozó skálázott bemenő jel: 0,00 → 12,50"));
    EXPECT_EQ(t->item(0, 3)->toolTip(), t->item(0, 3)->text()) << "the whole change, however narrow the column";

    // The entry whole: every field of the block before and after, the changed two marked, the
    // error flag in the dialog's own caption and sense.
    QDialog* entry = dialog.ShowEntry(0);
    ASSERT_NE(entry, nullptr);
    auto* fields = entry->findChild<QTableWidget*>("StringGrid_JournalEntry");
    ASSERT_NE(fields, nullptr);
    EXPECT_GT(fields->rowCount(), 2);
    int marked = 0;
    bool errorRow = false;
    for (int r = 0; r < fields->rowCount(); ++r) {
        marked += fields->item(r, 2)->background().color() == kDifferenceColor;
        if (fields->item(r, 1)->text() == QString::fromUtf8("Hibajelzés bekapcsolva")) {
            errorRow = true;
            EXPECT_EQ(fields->item(r, 2)->text(), QString::fromUtf8("igen")) << "stored as not switched off";
        }
    }
    EXPECT_EQ(marked, 2);
    EXPECT_TRUE(errorRow);
    EXPECT_EQ(dialog.ShowEntry(1)->findChild<QTableWidget*>()->isColumnHidden(3), true) << "as found: one value";
}

TEST(SettingsJournal, KeepsTheNewestEntriesWithinItsBound) {
    QTemporaryDir dir;
    const Bytes block(kAnalogInputBlockSize, 0);
    for (int run = 0; run < 2; ++run) {  // a second run finds the file of the first
        SettingsJournal journal(dir.path(), 50);
        journal.Attach(330, 4711);
        for (int i = 0; i < 120; ++i) {
            Bytes written = block;
            written[0] = uint8_t(i);
            journal.Observe(kWriteAnalogInput, written, {});
        }
        const std::vector<JournalEntry> entries = journal.Entries();
        EXPECT_LE(entries.size(), 50u);
        EXPECT_GE(entries.size(), 45u);
        EXPECT_EQ(entries.back().after[0], 119) << "the newest is kept";
        EXPECT_EQ(entries.back().before[0], 118) << "before is the last write";
    }
}

}  // namespace
}  // namespace velmar
