// "Fájl szerkesztése…": a settings file opened, edited and saved under a new
// name with no instrument attached; nothing is sent to an instrument.

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "gui/files/file_editor_dialog.h"
#include "gui/files/settings_files.h"
#include "gui/link/instrument_context.h"
#include "gui/views/decimal_input.h"
#include "gui/views/window_placement.h"
#include "program/file_writing.h"

namespace velmar {

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }
}  // namespace

void SettingsFiles::EditFile() {
    const QString path = ChooseFile(U("Beállításfájl szerkesztése"), false);
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ctx_.Inform(U("A fájl nem olvasható: %1 (%2)").arg(path, file.errorString()));
    QString error;
    const std::optional<OfflineFile> read = ReadOfflineFile(file.read(4 << 20), &error);
    if (!read) return ctx_.Inform(U("A fájl nem szerkeszthető. ") + WithDecimalSeparator(error, ctx_.DecimalSeparator));
    auto* editor = new TForm_FileEditor(ctx_.window, ctx_.DecimalSeparator);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->confirm = [this](const QString& question) { return ctx_.Confirm(question); };
    editor->Open(*read, path);
    connect(editor, &TForm_FileEditor::saveAsRequested, this, [this, editor] { SaveEdited(editor); });
    PositionFormToCenterOfMainForm(editor, ctx_.window);
    editor->open();
}

void SettingsFiles::SaveEdited(TForm_FileEditor* editor) {
    const QFileInfo original(editor->Path());
    const QString suggested =
        original.dir().filePath(original.fileName().section('.', 0, 0) + "-szerkesztett.velmar.json");
    const QString path = ChooseFile(U("Mentés másként"), true, suggested);
    if (path.isEmpty()) return;
    const QFileInfo target(path);
    if (target.exists()) {
        const bool isOriginal = target.canonicalFilePath() == original.canonicalFilePath();
        const QString question = isOriginal
                                     ? U("Ez a megnyitott eredeti fájl: %1. Felülírja a szerkesztett értékekkel?")
                                     : U("A(z) %1 fájl már létezik. Felülírja?");
        if (!ctx_.Confirm(question.arg(path))) return editor->ShowResult(U("Nem mentette; a fájl változatlan."));
    }
    QString why;
    if (!WriteFileWhole(path, WriteOfflineFile(editor->Edited(), ctx_.ProgramDateText(), QDateTime::currentDateTime()),
                        &why))
        return editor->ShowResult(U("A fájl nem írható: %1 (%2)").arg(path, why), true);
    editor->MarkSaved(path);
}

}  // namespace velmar
