#pragma once
// The journal of the attached instrument as a table, newest first, with the
// way back to the settings as they were found.

#include <QDialog>

#include "core/device/settings_blocks.h"

class QPushButton;
class QTableWidget;

namespace velmar {

class SettingsJournal;

class TForm_Journal : public QDialog {
    Q_OBJECT
public:
    // context: how the instrument's blocks read now; decimalSeparator: the
    // system's.
    TForm_Journal(QWidget* parent, const SettingsJournal& journal, FieldContext context = {},
                  QChar decimalSeparator = '.');

    QTableWidget* StringGrid_Journal = nullptr;
    QPushButton* Button_RestoreAsFound = nullptr;
    QPushButton* Button_Close = nullptr;

signals:
    void restoreRequested();
};

}  // namespace velmar
