#include "program/file_writing.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

#include "program/log_categories.h"

namespace velmar {

namespace {

bool MakeFolderOf(const QString& path, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder)) return true;
    *error = QString::fromUtf8("a mappa nem hozható létre: %1").arg(QDir::toNativeSeparators(folder));
    return false;
}

// One attempt; *replaceFailed when all was written but the old file could
// not be replaced by it.
bool WriteOnce(const QString& path, const QByteArray& data, QString* error, bool* replaceFailed) {
    *replaceFailed = false;
    QSaveFile file(path);
    // Unbuffered: a write that does not reach the file fails here and now.
    // Buffered, a small file waits in Qt's buffer, and a failure when it is
    // flushed at commit would still put the empty temporary file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size() || !file.flush()) {
        *error = file.errorString();
        return false;  // not committed: the temporary file goes, the old one stays
    }
    if (!file.commit()) {
        *error = file.errorString();
        *replaceFailed = file.error() == QFileDevice::RenameError;
        return false;
    }
    return true;
}

}  // namespace

bool WriteFileWhole(const QString& path, const QByteArray& data, QString* error) {
    if (!MakeFolderOf(path, error)) return false;
    // Windows will not replace a file that another program has open, even
    // one that only reads it for a moment (another copy of the tool, a virus
    // scanner): the write is tried again for half a second before it fails.
    constexpr int kAttempts = 20, kPauseMs = 25;
    for (int attempt = 1;; ++attempt) {
        bool replaceFailed = false;
        if (WriteOnce(path, data, error, &replaceFailed)) break;
        if (!replaceFailed || attempt == kAttempts) {
            // Told to the user by the caller; here for the trace.
            qCDebug(lcFiles, "nem írható: %s (%s)", qUtf8Printable(QDir::toNativeSeparators(path)),
                    qUtf8Printable(*error));
            return false;
        }
        QThread::msleep(kPauseMs);
    }
    qCDebug(lcFiles, "írva: %s, %lld bájt", qUtf8Printable(QDir::toNativeSeparators(path)), qlonglong(data.size()));
    return true;
}

std::unique_ptr<QLockFile> LockFileFor(const QString& path, int waitMs, QString* error) {
    if (!MakeFolderOf(path, error)) return nullptr;
    auto lock = std::make_unique<QLockFile>(path + ".lock");
    if (lock->tryLock(waitMs)) return lock;
    switch (lock->error()) {
    case QLockFile::LockFailedError:
        *error = QString::fromUtf8("egy másik program használja: %1").arg(QDir::toNativeSeparators(path));
        break;
    default:
        *error = QString::fromUtf8("a zárolófájl nem hozható létre: %1.lock").arg(QDir::toNativeSeparators(path));
        break;
    }
    return nullptr;
}

}  // namespace velmar
