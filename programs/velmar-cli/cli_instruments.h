#pragma once
// velmar-cli where several instruments are attached: what each one is, why
// one cannot be used, and --device=usb:all, which runs a command on each
// in turn.

#include <QJsonObject>
#include <QStringList>
#include <vector>

#include "programs/velmar-cli/cli_commands.h"
#include "transport/hid_library.h"
#include "transport/instrument_choice.h"

namespace velmar {

// The node, whether it may be opened and is free, and who answers on it.
QJsonObject InstrumentJson(const AttachedInstrument& instrument);

// Why the tool cannot talk to this instrument; empty when it can.
QString InstrumentProblem(const AttachedInstrument& instrument);

// The chosen instrument is not among these: the line names the ones that are.
QString AbsentText(const InstrumentChoice& choice, const std::vector<AttachedInstrument>& attached);

// Runs the command on every attached instrument, one after another: one
// record per instrument and a summary; the worst exit code of them.
// globalArguments: what came before the command, --device=usb:all included.
int RunOnAll(CliContext& context, const QStringList& globalArguments, const QString& command,
             const QStringList& arguments);

}  // namespace velmar
