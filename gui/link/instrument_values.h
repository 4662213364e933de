#pragma once
// Whether the controls of a page or dialog hold the settings of the
// instrument that answers now: read from it, or its factory values, since
// it was attached. A write from them takes nothing else to the instrument,
// neither the placeholders a page starts with nor the settings of an
// instrument that has left; and once another instrument answers, a note on
// the page says whose settings the controls still show.
//
// It also says where the controls stand against the instrument: values the
// user changed (or factory values shown) that are not written yet are
// "Beírásra vár", and after a write and its read-back the page tells the
// time it was confirmed, or which fields came back otherwise.

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "gui/link/instrument_context.h"
#include "gui/views/indicator_controls.h"

class QAbstractButton;
class QLabel;

namespace velmar {

class InstrumentValues : public QObject {
    Q_OBJECT
public:
    // One dialog may show the settings of several parts of an instrument in
    // turn, as of its two output slots; factory values suit every part.
    static constexpr int kAnyPart = -1;

    InstrumentValues(InstrumentContext& ctx, QObject* parent);

    // The button asks for a write. Pressed while the controls do not hold
    // the instrument's settings, it goes up again at once and the user is
    // told to read first; otherwise writeAsked follows.
    void GuardWrite(QAbstractButton* write);
    // The writes send only what the user types in whole, nothing that was
    // read (the passwords): they need no read first.
    void TakeTypedValues() { readFirst_ = false; }
    // The part a write goes to now; part 0 when not given.
    void SetPartOfWrite(std::function<int()> part) { partOfWrite_ = std::move(part); }
    // A label, hidden until another instrument answers while the controls
    // hold the last one's settings; the caller places it. Its name ends
    // with the suffix, as the request buttons beside it do.
    QLabel* MakeNote(QWidget* parent, const QString& suffix = {});
    // The same of a label the page made.
    void AddNote(QLabel* note);

    // A label saying whether edited values wait for a write, and how the
    // last write and its read-back went; the caller places it.
    QLabel* MakeWriteState(QWidget* parent, const QString& suffix = {});
    void AddWriteState(QLabel* state);
    // The controls under root count as settings: a change a user makes in
    // them (typed, ticked, picked, or stored by a value editor opened from
    // that window) waits for a write. Push buttons are requests, not values.
    void WatchEdits(QWidget* root);
    // Controls under this one (tests of the outputs or the display) change
    // nothing a write takes.
    void IgnoreEdits(QWidget* subtree) { ignored_.insert(subtree); }
    // A button that fills the controls with the factory values: what it
    // brings waits for a write as much as an edit does.
    void WatchDefaults(QAbstractButton* defaults) { defaults_.push_back(defaults); }
    // The read, factory-values and write buttons of a page or dialog, added
    // to row: the write guarded, the factory values watched.
    RequestButtons MakeRequests(QWidget* parent, QBoxLayout* row, const QString& suffix,
                                const QString& defaultsCaption = QString::fromUtf8("Gyári alapértékek"));
    // The user changed a value the instrument does not hold yet.
    void Edited();
    // Before the window holding the controls closes: true when nothing
    // waits for a write, or the user chose to give it up.
    bool MayDiscard();

    // An answer has filled the controls with the answering instrument's
    // settings of that part.
    void Taken(int part = 0);
    // The controls hold the answering instrument's settings of the part.
    bool Holds(int part) const;
    bool Holds() const { return Holds(partOfWrite_ ? partOfWrite_() : 0); }

signals:
    // A write was asked for, and the controls hold the instrument's settings.
    void writeAsked();

private:
    void WritePressed(QAbstractButton* write);
    void InstrumentChanged();
    QString Whose() const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ConnectEdits(QWidget* root);
    bool Ignored(const QWidget* w) const;
    void EditorStored();
    void CommandAnswered(uint8_t command, const std::vector<uint8_t>& request, const std::vector<uint8_t>& answer);
    bool AnyDown(const std::vector<QAbstractButton*>& buttons) const;
    enum Tone { kToneNone, kToneWaiting, kToneDone, kToneDiffers };
    void ShowWriteState(const QString& text, Tone tone);
    void ShowWaiting();

    // A write this page made, until its read-back arrives.
    struct Written {
        uint8_t command;
        std::vector<uint8_t> bytes;
    };

    InstrumentContext& ctx_;
    std::optional<InstrumentKey> from_;  // whose settings the controls hold
    int part_ = 0;
    bool left_ = false;  // another instrument has answered since they were taken
    bool readFirst_ = true;
    std::function<int()> partOfWrite_;
    std::vector<QLabel*> notes_;
    std::vector<QLabel*> states_;
    std::vector<QAbstractButton*> writes_;
    std::vector<QAbstractButton*> defaults_;
    std::set<QWidget*> ignored_;
    std::vector<QWidget*> watchedRoots_;
    std::vector<Written> written_;
    QStringList differences_;
    Tone tone_ = kToneNone;
    bool waiting_ = false;  // edited or factory values not written yet
    bool defaultsArriving_ = false;  // the answer being decoded is the factory values
    bool writeRound_ = false;  // the writes of one press are being answered
};

}  // namespace velmar
