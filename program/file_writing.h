#pragma once
// Every file the programs write goes through here: written whole or not at
// all, so that a full disk or a folder that cannot be written leaves the
// old file as it was and the caller says so, instead of an empty file and a
// success.

#include <QByteArray>
#include <QString>
#include <memory>

class QLockFile;

namespace velmar {

// Writes data as the whole new content of path: into a temporary file
// beside it, unbuffered and checked to the last byte, then put in place of
// the old one. Folders missing on the way are made. False with the reason
// in *error when any step fails; the old file is then untouched.
[[nodiscard]] bool WriteFileWhole(const QString& path, const QByteArray& data, QString* error);

// The exclusive lock of a file that several programs read and write (the
// journal, the station's serial number): a lock file beside it, held while
// the returned object lives. Waits up to waitMs for another holder; a lock
// left by a program that has ended is taken over. Null with the reason in
// *error when the lock cannot be had.
std::unique_ptr<QLockFile> LockFileFor(const QString& path, int waitMs, QString* error);

}  // namespace velmar
