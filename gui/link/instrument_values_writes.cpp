// Where the controls of a page stand against the instrument: edits not
// written yet, and what a write's read-back brought.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTime>
#include <algorithm>

#include "core/link/command_table.h"
#include "core/settings/settings_blocks.h"
#include "gui/link/instrument_values.h"
#include "gui/views/label_colors.h"
#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_typed.h"

namespace velmar {

namespace {

// The fields of a block that came back otherwise than they were written,
// as a person reads them.
QStringList BlockDifferences(const SettingsBlockInfo& block, const Bytes& written, const Bytes& read,
                             FieldContext context, char separator) {
    QStringList out;
    const std::vector<BlockField> w = block.fields(written, context), r = block.fields(read, context);
    for (std::size_t i = 0; i < w.size() && i < r.size(); ++i) {
        if (!w[i].meta.name || FieldEqual(written, read, w[i])) continue;
        out << QString::fromUtf8("%1: beírva %2, visszaolvasva %3")
                   .arg(QString::fromUtf8(w[i].caption), QString::fromStdString(FieldValueText(w[i], separator)),
                        QString::fromStdString(FieldValueText(r[i], separator)));
    }
    return out;
}

}  // namespace

QLabel* InstrumentValues::MakeWriteState(QWidget* parent, const QString& suffix) {
    auto* state = new QLabel(parent);
    state->setObjectName("Label_WriteState" + suffix);
    AddWriteState(state);
    return state;
}

void InstrumentValues::AddWriteState(QLabel* state) {
    state->setWordWrap(true);
    state->hide();
    states_.push_back(state);
}

void InstrumentValues::ShowWriteState(const QString& text, Tone tone) {
    tone_ = tone;
    const QColor colour = tone == kToneDone ? colors::kGreen : tone == kToneDiffers ? colors::kRed : colors::kBlue;
    for (QLabel* state : states_) {
        state->setText(text);
        SetTextColor(state, colour);
        state->setVisible(!text.isEmpty());
    }
}

void InstrumentValues::ShowWaiting() {
    ShowWriteState(QString::fromUtf8("Beírásra vár: a módosított értékek még nincsenek a készülékben."), kToneWaiting);
}

void InstrumentValues::Edited() {
    waiting_ = true;
    ShowWaiting();
}

bool InstrumentValues::MayDiscard() {
    if (!waiting_) return true;
    if (!ctx_.Confirm(QString::fromUtf8("A módosított értékek még nincsenek beírva a készülékbe.\n"
                                        "Bezárja az ablakot, és elveti a módosításokat?")))
        return false;
    // What the controls show now is no longer the user's word: the next
    // opening reads the instrument again.
    waiting_ = false;
    ShowWriteState({}, kToneNone);
    return true;
}

void InstrumentValues::WatchEdits(QWidget* root) {
    watchedRoots_.push_back(root);
    // Connected when first shown, once the page has built all its controls
    // and the value editors exist.
    root->installEventFilter(this);
}

bool InstrumentValues::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* root = static_cast<QWidget*>(watched);
        root->removeEventFilter(this);
        ConnectEdits(root);
    }
    return QObject::eventFilter(watched, event);
}

bool InstrumentValues::Ignored(const QWidget* w) const {
    for (; w; w = w->parentWidget())
        if (ignored_.count(const_cast<QWidget*>(w))) return true;
    return false;
}

void InstrumentValues::ConnectEdits(QWidget* root) {
    // Only what a user does counts: these signals do not come when a
    // decoder fills the controls.
    for (QLineEdit* e : root->findChildren<QLineEdit*>())
        if (!Ignored(e)) connect(e, &QLineEdit::textEdited, this, &InstrumentValues::Edited);
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
        if (!qobject_cast<QPushButton*>(b) && !Ignored(b))
            connect(b, &QAbstractButton::clicked, this, &InstrumentValues::Edited);
    for (QComboBox* c : root->findChildren<QComboBox*>())
        if (!Ignored(c)) connect(c, &QComboBox::activated, this, &InstrumentValues::Edited);
    for (QAbstractSlider* s : root->findChildren<QAbstractSlider*>())
        if (!Ignored(s) && !qobject_cast<QScrollBar*>(s))
            connect(s, &QAbstractSlider::actionTriggered, this, &InstrumentValues::Edited);
    for (QDialog* editor : {static_cast<QDialog*>(ctx_.typedEditor), static_cast<QDialog*>(ctx_.digitEditor)})
        if (editor) connect(editor, &QDialog::accepted, this, &InstrumentValues::EditorStored, Qt::UniqueConnection);
}

void InstrumentValues::EditorStored() {
    // The editors are shared: the value went to the window it was opened
    // from, a dialog shown over the main window, or else the page in front.
    const auto isEditor = [this](const QWidget* w) { return w == ctx_.typedEditor || w == ctx_.digitEditor; };
    bool dialogShown = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QDialog*>(w) && !isEditor(w)) dialogShown = true;
    for (QWidget* root : watchedRoots_) {
        if (!root->isVisible() || (root->window() == ctx_.window && dialogShown)) continue;
        Edited();
        return;
    }
}

bool InstrumentValues::AnyDown(const std::vector<QAbstractButton*>& buttons) const {
    return std::any_of(buttons.begin(), buttons.end(), [](const QAbstractButton* b) { return b->isChecked(); });
}

void InstrumentValues::CommandAnswered(uint8_t command, const std::vector<uint8_t>& request,
                                       const std::vector<uint8_t>& answer) {
    const bool changes = ChangesInstrument(command);
    if (changes && AnyDown(writes_)) {
        // The first write of a round forgets what an earlier one left.
        if (!writeRound_) {
            written_.clear();
            differences_.clear();
            writeRound_ = true;
        }
        written_.push_back({command, request});
        waiting_ = false;
        return;
    }
    if (changes) return;
    writeRound_ = false;
    if (AnyDown(defaults_)) defaultsArriving_ = true;
    if (written_.empty()) return;
    // The read-back of a block written: the same block's read; of anything
    // else (the passwords), the next answer of the same length.
    const SettingsBlockInfo* read = BlockOfRead(command);
    const auto match = std::find_if(written_.begin(), written_.end(), [&](const Written& w) {
        const SettingsBlockInfo* block = BlockOfWrite(w.command);
        return block ? block == read : !read && answer.size() == w.bytes.size();
    });
    if (match == written_.end()) return;
    if (read) {
        const FieldContext context(ctx_.recRX.uDecimalPoint, ctx_.recRX.uDevice);
        differences_ << BlockDifferences(*read, match->bytes, answer, context, ctx_.DecimalSeparator.toLatin1());
    } else if (answer != match->bytes) {
        differences_ << QString::fromUtf8("a visszaolvasott adatok eltérnek a beírtaktól");
    }
    written_.erase(match);
    if (!written_.empty()) return;
    const QString time = QTime::currentTime().toString("HH:mm:ss");
    if (differences_.isEmpty()) {
        ShowWriteState(QString::fromUtf8("Beírva és visszaolvasva %1").arg(time), kToneDone);
        return;
    }
    ShowWriteState(QString::fromUtf8("Beírva %1, de a készülék mást őriz meg, mint amit beírtunk:\n%2")
                       .arg(time, differences_.join('\n')),
                   kToneDiffers);
}

}  // namespace velmar
