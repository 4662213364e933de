#include "gui/trend/trend_plot.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

namespace velmar {

namespace {
// Beside the program (the build, its test programs, the Windows folder), or
// in the program's own library folder (/usr/lib/velmar/modules beside
// /usr/bin).
QStringList ModuleFolders() {
    const QString here = QCoreApplication::applicationDirPath();
    return {here, here + "/../lib/velmar/modules"};
}

MakeTrendPlotFunction LoadModule(QString* error) {
    QStringList tried;
    for (const QString& folder : ModuleFolders()) {
        // Never unloaded: the plots it makes live as long as their window.
        QLibrary module(QDir(folder).filePath("velmar_trend_chart"));
        if (auto make = reinterpret_cast<MakeTrendPlotFunction>(module.resolve(kMakeTrendPlotSymbol))) return make;
        tried << module.errorString();
    }
    *error = tried.join("\n");
    return nullptr;
}
}  // namespace

TrendPlot* MakeTrendPlot(QWidget* parent, QString* error) {
    static QString problem;
    static const MakeTrendPlotFunction make = LoadModule(&problem);
    if (!make) {
        if (error) *error = problem;
        return nullptr;
    }
    return make(parent);
}

}  // namespace velmar
