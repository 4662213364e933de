#include <QApplication>
#include <cstdio>

#include "app/form_main.h"
#include "app/startup.h"
#include "link/hid_factory.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString error;
    auto hid = velmar::CreateHidLibrary(QApplication::arguments().mid(1), &error);
    if (!hid) {
        std::fprintf(stderr, "velmar-setup: %s\n", qPrintable(error));
        return 2;
    }
    auto windows = velmar::Startup(*hid, velmar::SystemStartupOptions());
    windows->main->show();
    return app.exec();
}
