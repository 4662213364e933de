#include "gui/link/instrument_values.h"

#include <QAbstractButton>
#include <QLabel>

#include "core/device/status_texts.h"
#include "gui/views/label_colors.h"

namespace velmar {

InstrumentValues::InstrumentValues(InstrumentContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {
    connect(&ctx.events, &InstrumentEvents::answeringInstrumentChanged, this, &InstrumentValues::InstrumentChanged);
    connect(&ctx.events, &InstrumentEvents::commandAnswered, this, &InstrumentValues::CommandAnswered);
}

RequestButtons InstrumentValues::MakeRequests(QWidget* parent, QBoxLayout* row, const QString& suffix,
                                              const QString& defaultsCaption) {
    const RequestButtons r = MakeRequestButtons(parent, row, suffix, defaultsCaption);
    GuardWrite(r.write);
    WatchDefaults(r.defaults);
    return r;
}

void InstrumentValues::GuardWrite(QAbstractButton* write) {
    writes_.push_back(write);
    connect(write, &QAbstractButton::toggled, this, [this, write](bool down) {
        if (down) WritePressed(write);
    });
}

QLabel* InstrumentValues::MakeNote(QWidget* parent, const QString& suffix) {
    auto* note = new QLabel(parent);
    note->setObjectName("Label_ValuesOfAnotherInstrument" + suffix);
    AddNote(note);
    return note;
}

void InstrumentValues::AddNote(QLabel* note) {
    note->setWordWrap(true);
    SetTextColor(note, colors::kRed);
    note->hide();
    notes_.push_back(note);
}

void InstrumentValues::Taken(int part) {
    from_ = ctx_.AnsweringInstrument();
    part_ = part;
    left_ = false;
    for (QLabel* note : notes_) note->hide();
    // Read values are the instrument's own; factory values are not in it yet.
    waiting_ = defaultsArriving_;
    defaultsArriving_ = false;
    // A write's outcome stays, with its time; a mark of edits now read over goes.
    if (waiting_)
        ShowWaiting();
    else if (tone_ == kToneWaiting)
        ShowWriteState({}, kToneNone);
}

bool InstrumentValues::Holds(int part) const {
    return from_ && !left_ && from_ == ctx_.AnsweringInstrument() && (part_ == kAnyPart || part_ == part);
}

QString InstrumentValues::Whose() const {
    return QString::fromUtf8("a(z) PX%1 (gyári szám: %2) készülék")
        .arg(from_->device)
        .arg(QString::fromStdString(SerialText(from_->serial)));
}

void InstrumentValues::InstrumentChanged() {
    if (!from_ || left_ || from_ == ctx_.AnsweringInstrument()) return;
    // Even should that instrument come back, what it holds by then is for a
    // read to tell.
    left_ = true;
    const QString text = QString::fromUtf8(
                             "Ezek %1 beállításai, amely már nincs csatlakoztatva. Beírás előtt "
                             "olvassa ki a most csatlakoztatott készülék beállításait!")
                             .arg(Whose());
    for (QLabel* note : notes_) {
        note->setText(text);
        note->show();
    }
}

void InstrumentValues::WritePressed(QAbstractButton* write) {
    if (!readFirst_ || Holds()) {
        emit writeAsked();
        return;
    }
    write->setChecked(false);
    const QString whose =
        left_ ? QString::fromUtf8("A mezők %1 beállításait mutatják, nem a most csatlakoztatottét.").arg(Whose())
              : QString::fromUtf8("A mezők nem a készülékből kiolvasott beállításokat mutatják.");
    ctx_.Inform(whose + QString::fromUtf8("\nElőbb olvassa ki a beállításokat a készülékből (vagy kérje a gyári "
                                          "alapértékeit), és azokat módosítsa! A készülékbe nem került semmi."));
}

}  // namespace velmar
