#include "gui/app/late_windows.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>

#include "gui/app/form_main.h"
#include "gui/device/header_page.h"
#include "gui/files/settings_files.h"
#include "gui/report/report_window.h"
#include "gui/trend/trend_history.h"
#include "gui/trend/trend_window.h"

namespace velmar {

TForm_Report* ReportWindow(TForm1& main) {
    if (auto* report = main.findChild<TForm_Report*>("Form_Report", Qt::FindDirectChildrenOnly)) return report;
    return new TForm_Report(main.Context(), *main.settingsFiles);
}

void AddReportAction(TForm1& main) {
    if (QMenu* menu = main.settingsFiles->Menu()) {
        QAction* open = menu->addAction(QString::fromUtf8("Jegyzőkönyv…"));
        open->setObjectName("Action_Report");
        QObject::connect(open, &QAction::triggered, &main, [&main] { ReportWindow(main)->Open(); });
    }
}

TrendHistory& TrendHistoryOf(TForm1& main) {
    auto* history = main.findChild<TrendHistory*>("TrendHistory", Qt::FindDirectChildrenOnly);
    return history ? *history : *new TrendHistory(main.Context(), &main);
}

TForm_Trend* TrendWindow(TForm1& main) {
    if (!main.Form_Trend) {
        main.Form_Trend = new TForm_Trend(main.Context(), TrendHistoryOf(main));
        // The charts take their first layout before the window is shown, as
        // they did when it was built at start: laid out only at the final
        // size, the relay lanes' names would fall a pixel lower.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    return main.Form_Trend;
}

void ConnectTrendOpeners(TForm1& main, const QStringList& arguments) {
    // The samples are kept from the start; the window waits to be opened.
    TrendHistoryOf(main);
    QObject::connect(main.header->ui.Button_Trend, &QPushButton::clicked, &main,
                     [&main] { TrendWindow(main)->Open(); });
    for (const QString& a : arguments)
        if (a.startsWith("--open-trend")) {
            TrendWindow(main)->OpenFromArguments(arguments);
            return;
        }
}

}  // namespace velmar
