#pragma once
// The windows the program adds to the design's set, built the first time
// they are opened rather than at start: the report window and the trend
// window (whose samples are kept from the start).

#include <QStringList>

namespace velmar {

class TForm1;
class TForm_Report;
class TForm_Trend;
class TrendHistory;

// The main window's report window, built the first time it is asked for
// (a child of the main window from then on).
TForm_Report* ReportWindow(TForm1& main);
// "Jegyzőkönyv…" in the settings menu: builds the window when first chosen.
void AddReportAction(TForm1& main);

// The samples of every status answer since the start.
TrendHistory& TrendHistoryOf(TForm1& main);
// The main window's trend window, built the first time it is asked for
// (kept in TForm1::Form_Trend from then on).
TForm_Trend* TrendWindow(TForm1& main);
// The header's "Trend" button opens it, and "--open-trend" among the
// arguments at start.
void ConnectTrendOpeners(TForm1& main, const QStringList& arguments);

}  // namespace velmar
