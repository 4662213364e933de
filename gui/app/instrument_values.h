#pragma once
// Whether the controls of a page or dialog hold the settings of the
// instrument that answers now: read from it, or its factory values, since
// it was attached. A write from them takes nothing else to the instrument,
// neither the placeholders a page starts with nor the settings of an
// instrument that has left; and once another instrument answers, a note on
// the page says whose settings the controls still show.

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

#include "gui/app/form_main.h"

class QAbstractButton;
class QLabel;

namespace velmar {

class InstrumentValues : public QObject {
    Q_OBJECT
public:
    // One dialog may show the settings of several parts of an instrument in
    // turn, as of its two output slots; factory values suit every part.
    static constexpr int kAnyPart = -1;

    InstrumentValues(TForm1& main, QObject* parent);

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

    TForm1& main_;
    std::optional<InstrumentKey> from_;  // whose settings the controls hold
    int part_ = 0;
    bool left_ = false;  // another instrument has answered since they were taken
    bool readFirst_ = true;
    std::function<int()> partOfWrite_;
    std::vector<QLabel*> notes_;
};

}  // namespace velmar
