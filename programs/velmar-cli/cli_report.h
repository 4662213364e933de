#pragma once
// velmar-cli report: the commissioning report of the instrument on the
// link, as left now and as found in its journal.

#include <QString>
#include <memory>

#include "programs/velmar-cli/cli_output.h"
#include "programs/velmar-cli/cli_session.h"
#include "report/report_model.h"

class QCoreApplication;

namespace velmar {

// Reads the instrument, takes the visit from its journal and writes the PDF
// to path; prints the result record and returns the tool's exit code.
int WriteInstrumentReport(CliSession& session, const QString& path, ReportHeader header, const CliOutput& out);

// The report draws with Qt's fonts, which need a GUI application: made
// offscreen for that command alone, so the tool never needs a display.
std::unique_ptr<QCoreApplication> CliApplication(int& argc, char** argv);

}  // namespace velmar
