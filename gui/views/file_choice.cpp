#include "gui/views/file_choice.h"
#include "core/device/status_texts.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace velmar {

namespace {
QSettings Remembered() { return QSettings(QStringLiteral("Velmar"), QStringLiteral("velmar-setup")); }
constexpr const char* kKey = "files/lastFolder";
}  // namespace

QString LastFolder() {
    const QString last = Remembered().value(kKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    // A folder that is not there would be typed into the name field.
    for (const QString& folder :
         {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()})
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    return QDir::currentPath();
}

void RememberFolder(const QString& filePath) {
    if (filePath.isEmpty()) return;
    QSettings s = Remembered();
    s.setValue(kKey, QFileInfo(filePath).absolutePath());
}

QString InstrumentFileStem(uint16_t deviceType, uint32_t serial) {
    return QString("PX%1_%2_%3")
        .arg(deviceType)
        .arg(QString::fromStdString(SerialText(serial)))
        .arg(QDateTime::currentDateTime().toString("yyyyMMdd_HHmmss"));
}

QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& name, const QString& filter,
                       bool confirmOverwrite) {
    const QString path =
        QFileDialog::getSaveFileName(parent, caption, QDir(LastFolder()).filePath(name), filter, nullptr,
                                     confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
    RememberFolder(path);
    return path;
}

QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, caption, LastFolder(), filter);
    RememberFolder(path);
    return path;
}

}  // namespace velmar
