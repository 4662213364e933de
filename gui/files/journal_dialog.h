#pragma once
// The journal of the attached instrument as a table, newest first, with the
// way back to the settings as they were found.

#include <QDialog>

#include <vector>

#include "core/settings/settings_blocks.h"
#include "files/settings_journal.h"

class QPushButton;
class QTableWidget;

namespace velmar {

class TForm_Journal : public QDialog {
    Q_OBJECT
public:
    // context: how the instrument's blocks read now; decimalSeparator: the
    // system's.
    TForm_Journal(QWidget* parent, const SettingsJournal& journal, FieldContext context = {},
                  QChar decimalSeparator = '.');

    QTableWidget* StringGrid_Journal = nullptr;
    // The entry of a row whole, every field of its block before and after
    // (or as found), the changed ones marked; a double click opens it.
    QDialog* ShowEntry(int row);
    QPushButton* Button_RestoreAsFound = nullptr;
    QPushButton* Button_Close = nullptr;

signals:
    void restoreRequested();

private:
    std::vector<JournalEntry> entries_;  // newest first, as the rows
    FieldContext context_;
    QChar decimalSeparator_;
};

}  // namespace velmar
