#pragma once
// What a program printed, with its lines ended as on Linux: a Windows
// program's standard output and error end their lines with CR LF.

#include <QByteArray>
#include <QProcess>

namespace velmar::test {

inline QByteArray Lines(QByteArray printed) { return printed.replace("\r\n", "\n"); }
inline QByteArray StandardOutput(QProcess& p) { return Lines(p.readAllStandardOutput()); }
inline QByteArray StandardError(QProcess& p) { return Lines(p.readAllStandardError()); }

}  // namespace velmar::test
