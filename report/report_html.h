#pragma once
// The report's body as rich text for QTextDocument: tables a page wide,
// the header row repeated on each page a table runs over.

#include <QString>

#include "report/report_model.h"

namespace velmar {

QString ReportHtml(const ReportDocument& d);

// The title on the first page and the running head of the others.
QString ReportTitle();

}  // namespace velmar
