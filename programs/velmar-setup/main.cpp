#include <QApplication>
#include <cstdio>

#include "gui/app/command_line.h"
#include "gui/app/startup.h"
#include "gui/views/font_warm_up.h"
#include "program/qt_translation.h"
#include "transport/hid_factory.h"

int main(int argc, char** argv) {
    // Help, version and a bad option are answered before Qt looks for a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const auto answer = velmar::CheckCommandLine(arguments);
    switch (answer.kind) {
    case velmar::CommandLineAnswer::kHelp:
    case velmar::CommandLineAnswer::kVersion: std::printf("%s\n", qUtf8Printable(answer.text)); return 0;
    case velmar::CommandLineAnswer::kError:
        std::fprintf(stderr, "velmar-setup: %s\n", qUtf8Printable(answer.text));
        return 2;
    case velmar::CommandLineAnswer::kRun: break;
    }

    // Beside the loading of the platform and until the windows are built.
    velmar::FontWarmUp fonts;
    QApplication app(argc, argv);
    // Without it only Qt's own texts stay in English.
    (void)velmar::InstallQtTranslation(app);
    QString error;
    auto hid = velmar::CreateHidLibrary(QApplication::arguments().mid(1), &error);
    if (!hid) {
        std::fprintf(stderr, "velmar-setup: %s\n", qUtf8Printable(error));
        return 2;
    }
    fonts.Finish();
    auto windows = velmar::Startup(*hid, velmar::SystemStartupOptions());
    windows->ShowMain();
    return app.exec();
}
