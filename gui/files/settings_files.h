#pragma once
// Settings files, the compare table, the factory differences and the journal
// as the main window offers them: a "Beállítások" menu whose commands read
// and write the instrument's blocks through the command engine, beside the
// status poll, without holding up the window.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "core/settings/block_transfer.h"
#include "files/settings_file.h"
#include "files/settings_journal.h"
#include "gui/files/compare_dialog.h"

class QAction;
class QMenu;
class QMenuBar;
class QProgressDialog;

namespace velmar {

struct InstrumentContext;
class TForm_FileEditor;

class SettingsFiles : public QObject {
    Q_OBJECT
public:
    // Asks for a file name to open or to save under; without one, the
    // system's file dialogs ask.
    using FileChooser = std::function<QString(const QString& caption, bool save)>;
    // Adds its menu, "Beállítások", to the menu bar. The journal goes to
    // journalFolder, or to the user's data folder when none is given.
    SettingsFiles(InstrumentContext& ctx, QMenuBar* menuBar, FileChooser chooseFile, const QString& journalFolder);
    ~SettingsFiles() override;

    void SaveToFile();
    void LoadAndCompare();
    void CompareWithFactory();
    void ShowHistory();
    void RestoreAsFound();
    // A settings file edited with no instrument attached.
    void EditFile();

    SettingsJournal& Journal() { return journal_; }
    // The settings menu, for the windows that add their own entries to it.
    QMenu* Menu() const { return menu_; }

    QAction* Action_SaveSettings = nullptr;
    QAction* Action_LoadCompare = nullptr;
    QAction* Action_FactoryDiff = nullptr;
    QAction* Action_History = nullptr;
    QAction* Action_EditFile = nullptr;

    // Results arrive in callbacks; failed reads carry a message.
    using ReadDone = std::function<void(std::optional<BlockImages> blocks, QString error)>;
    struct WriteReport {
        std::vector<std::string> verified, mismatched;
        QString error;  // the link or the instrument refused; the rest was not written
    };
    using WriteDone = std::function<void(WriteReport report)>;
    // Reads the blocks one after another (the factory values with defaults).
    void ReadBlocks(std::vector<const SettingsBlockInfo*> blocks, bool defaults, ReadDone done);
    // Writes each block, then reads it back to see that it was taken.
    void WriteBlocks(BlockImages blocks, WriteDone done);

    // The attached instrument as its status answers and header tell.
    InstrumentFit Fit() const;
    InstrumentIdentity Identity() const;

private:
    bool CheckInstrument();
    int MeasuredDecimals() const;
    // The instrument's blocks read with these decimals.
    FieldContext Context(int measuredDecimals) const;
    // A name to save under given (suggested), the caller asks before a file is
    // overwritten.
    QString ChooseFile(const QString& caption, bool save, const QString& suggested = {});
    void OpenCompare(const QString& title, const QString& otherCaption, BlockImages instrument, BlockImages other,
                     int otherDecimals);
    void Observe(uint8_t command, const Bytes& request, const Bytes& answer);
    void SaveEdited(TForm_FileEditor* editor);
    QProgressDialog* Progress(const QString& text, int steps);

    InstrumentContext& ctx_;
    QMenu* menu_ = nullptr;
    std::function<QString(const QString&, bool)> chooseFile_;
    SettingsJournal journal_;
    QPointer<QProgressDialog> progress_;
    bool busy_ = false;
};

}  // namespace velmar
