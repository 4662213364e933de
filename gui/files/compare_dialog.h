#pragma once
// The compare table: every field of the instrument's settings blocks beside
// another image of them (a file, the factory values, the state as found),
// the differences marked and ticked, and a button that writes the ticked
// values to the instrument.

#include <QDialog>
#include <map>
#include <string>

#include "core/settings/block_compare.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace velmar {

class TForm_Compare : public QDialog {
    Q_OBJECT
public:
    // otherCaption heads the second value column ("Fájl", "Gyári érték", ...).
    TForm_Compare(QWidget* parent, const QString& title, const QString& otherCaption);

    void Show(const BlockImages& instrument, FieldContext instrumentContext, const BlockImages& other,
              FieldContext otherContext);
    // The system's: the numbers read as in every other control.
    void SetDecimalSeparator(QChar separator) { decimalSeparator_ = separator; }
    // The instrument's blocks with the ticked fields taken from the other
    // image; only blocks with a ticked field.
    BlockImages Chosen() const;
    int DifferenceCount() const { return differences_; }
    void ShowResult(const QString& text);
    void SetBusy(bool busy);

    QTableWidget* StringGrid_Compare = nullptr;
    QPushButton* Button_Write = nullptr;
    QPushButton* Button_Close = nullptr;
    QLabel* Label_Result = nullptr;

signals:
    void writeRequested(const velmar::BlockImages& blocks);

private:
    std::vector<FieldRow> rows_;  // one per table row
    BlockImages instrument_, other_;
    int differences_ = 0;
    QChar decimalSeparator_ = '.';
};

}  // namespace velmar
