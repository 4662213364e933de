#pragma once
// The journal of the attached instrument as a table, newest first, with the
// way back to the settings as they were found.

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace velmar {

class SettingsJournal;

class TForm_Journal : public QDialog {
    Q_OBJECT
public:
    TForm_Journal(QWidget* parent, const SettingsJournal& journal);

    QTableWidget* StringGrid_Journal = nullptr;
    QPushButton* Button_RestoreAsFound = nullptr;
    QPushButton* Button_Close = nullptr;

signals:
    void restoreRequested();
};

}  // namespace velmar
