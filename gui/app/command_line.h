#pragma once
// velmar-setup's own options, checked before Qt needs a display: --help,
// --version and a bad option are answered on the terminal. Single-dash
// options (-platform, -style ...) belong to Qt; other words are left to the
// program (the service switch).

#include <QString>
#include <QStringList>

namespace velmar {

struct CommandLineAnswer {
    enum Kind { kRun, kHelp, kVersion, kError } kind = kRun;
    QString text;  // what to print for help, version or error
};

CommandLineAnswer CheckCommandLine(const QStringList& arguments);

}  // namespace velmar
