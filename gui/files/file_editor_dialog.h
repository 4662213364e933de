#pragma once
// A settings file edited without an instrument: the compare table of the
// file as it was against the file as edited, the edited column typed into
// field by field within each field's limits, and "Mentés másként…".

#include <QDialog>
#include <functional>

#include "core/settings/block_compare.h"
#include "files/offline_file.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace velmar {

class TForm_FileEditor : public QDialog {
    Q_OBJECT
public:
    TForm_FileEditor(QWidget* parent, QChar decimalSeparator);

    // Shows the file read from path; nothing edited yet.
    void Open(const OfflineFile& file, const QString& path);
    // Sets a row's new value from the text typed; a refusal shows at once
    // with what the field takes, and nothing changes.
    [[nodiscard]] bool SetValue(int row, const QString& text);
    const OfflineFile& Edited() const { return edited_; }
    QString Path() const { return path_; }
    int ChangeCount() const;
    // The edits are in a file now: closing asks nothing.
    void MarkSaved(const QString& savedTo);
    void ShowResult(const QString& text, bool refused = false);

    // Asks before edits that were not saved are dropped; nullptr: drops them.
    std::function<bool(const QString& question)> confirm;

    QLabel* Label_FileInfo = nullptr;
    QTableWidget* StringGrid_FileEditor = nullptr;
    QPushButton* Button_SaveAs = nullptr;
    QPushButton* Button_Close = nullptr;
    QLabel* Label_Result = nullptr;

    // The row's field as edited, for its editor; nullptr past the rows.
    const BlockField* EditedField(int row) const;
    QChar DecimalSeparator() const { return decimalSeparator_; }

signals:
    void saveAsRequested();

public slots:
    void reject() override;

private:
    void Refresh();

    QChar decimalSeparator_;
    QString path_;
    OfflineFile original_, edited_;
    std::vector<FieldRow> rows_;
    bool unsaved_ = false;
};

}  // namespace velmar
