#pragma once
// The report's machine-readable twin: the same fields, values and verdicts
// as the PDF, for a plant's calibration database to import.

#include <QByteArray>

#include "report/report_model.h"

namespace velmar {

QByteArray ReportJson(const ReportDocument& d);

}  // namespace velmar
