#pragma once
// velmar-cli report: the commissioning report of the instrument on the
// link, as left now and as found in its journal, with the job, the
// reference, the conditions, check points and relay tests given as options.

#include <QString>
#include <memory>

#include "programs/velmar-cli/cli_output.h"
#include "programs/velmar-cli/cli_session.h"
#include "report/report_model.h"

class QCoreApplication;

namespace velmar {

// A check point as the command line gives it: the input applied, the
// output measured and, from a line that read it itself, the reading.
struct CliCheckPoint {
    double input = 0;
    std::optional<double> output, reading;
};

struct CliReportRequest {
    ReportHeader header;
    std::vector<CliCheckPoint> points;
    std::map<std::string, RelayTest> relayTests;
    double tolerancePercent = 0.5, steadyPercent = kSteadyPercent;
    std::optional<double> span;  // where the settings do not tell it
    bool printJson = false;  // the twin on the standard output too
};

// Reads the instrument, takes the visit from its journal and writes the PDF
// (and its twin) to path; prints the result record and returns the tool's
// exit code.
int WriteInstrumentReport(CliSession& session, const QString& path, CliReportRequest request, const CliOutput& out);

// The report draws with Qt's fonts, which need a GUI application: made
// offscreen for that command alone, so the tool never needs a display.
std::unique_ptr<QCoreApplication> CliApplication(int& argc, char** argv);

}  // namespace velmar
