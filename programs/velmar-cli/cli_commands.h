#pragma once
// The commands of velmar-cli, one function each, and their table.

#include <QCommandLineParser>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>

#include "programs/velmar-cli/cli_output.h"
#include "programs/velmar-cli/cli_session.h"

namespace velmar {

struct CliContext {
    QStringList linkArguments;  // --device and the virtual instrument's flags
    CliOutput out{false};
    bool service = false;
    QString journalFolder;
    QString stationFile;  // the last serial number this station wrote
    std::function<bool(const QString& question)> confirm;  // load's question; stdin by default
    std::unique_ptr<HidLibrary> hid;
    std::unique_ptr<CliSession> session;

    // Opens the link and waits for the instrument; an exit code on failure.
    int Open();
};

struct CliCommand {
    const char* name;
    const char* synopsis;  // after the name in the usage text
    const char* summary;
    int (*run)(CliContext& context, const QStringList& arguments);  // arguments after the name
};

std::span<const CliCommand> CliCommands();
const CliCommand& FindCliCommand(const char* name);

// Parses a command's own options and its help option (positional: how many
// file names it takes); an exit code when it should stop (its help printed,
// or a usage error), -1 to go on.
int ParseCommandOptions(QCommandLineParser& parser, const CliCommand& command, const QStringList& arguments,
                        int positional);

}  // namespace velmar
