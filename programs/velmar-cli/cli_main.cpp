// velmar-cli: what the main window does, from a shell, without a window.

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <iostream>
#include <string>

#include "program/data_folder.h"
#include "program/program_date.h"
#include "program/qt_translation.h"
#include "program/utf8_console.h"
#include "programs/velmar-cli/cli_commands.h"
#include "programs/velmar-cli/cli_instruments.h"
#include "programs/velmar-cli/cli_report.h"
#include "sim/instrument_config.h"
#include "transport/hid_factory.h"
#include "transport/usb_access.h"

using namespace velmar;

namespace {

void PrintUsage() {
    QString text = QString::fromUtf8(
        "Használat: velmar-cli [általános kapcsolók] PARANCS [kapcsolók]\n\n"
        "Általános kapcsolók (a parancs előtt vagy után):\n"
        "  --device=sim[:KÓD] | unix:ÚTVONAL | tcp:GÉP:PORT   a készülék (alap: USB)\n"
        "  --device=usb:/dev/hidrawN | usb:GYÁRISZÁM   több USB-s készülék közül egy\n"
        "  --device=usb:all   a parancs minden készüléken sorban (info, status --count=N,\n"
        "                save MINTA, diff, load --yes); a fájlnévben {serial} és {type}\n"
        "  --sim-bus=MAPPA   az USB helyett a MAPPA socketjein szolgáltatott virtuális készülékek\n"
        "  --text        táblázat JSON helyett\n"
        "  --service     szerviz mód: set-identity, és a teljes beállításkészlet\n"
        "  --help, --version\n"
        "A --device=sim mellett a virtuális készülék kapcsolói is (velmar-sim --help).\n\n"
        "Parancsok:\n");
    for (const CliCommand& c : CliCommands())
        text += QString("  %1 %2").arg(c.name, QString::fromUtf8(c.synopsis)).trimmed().prepend("  ") +
                QString("\n      %1\n").arg(QString::fromUtf8(c.summary));
    text += QString::fromUtf8(
        "\nKilépési kód: 0 kész vagy nincs eltérés, 1 eltérés vagy sikertelen ellenőrzés,\n"
        "2 hibás használat, 3 nincs készülék vagy megszakadt a kapcsolat,\n"
        "4 a fájl nem olvasható, nem írható vagy nem tölthető be (más típusé, sérült,\n"
        "tartományon kívüli érték).\n"
        "A parancsok saját súgója: velmar-cli PARANCS --help\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

// Takes a global option, before or after the command; false for any other.
bool TakeGlobalOption(const QString& a, CliContext& ctx) {
    if (a == "--text") {
        ctx.out = CliOutput(true);
    } else if (a == "--service") {
        ctx.service = true;
    } else if (a.startsWith("--device=") || a.startsWith("--sim-bus=")) {
        ctx.linkArguments << a;
    } else {
        return false;
    }
    return true;
}

bool IsInstrumentFlag(const QString& a) {
    sim::InstrumentConfig probe;
    std::string error;
    return sim::ParseInstrumentFlag(a.toStdString(), probe, &error);
}

bool AskOnStdin(const QString& question) {
    std::fputs(question.toUtf8().constData(), stderr);
    std::string line;
    if (!std::getline(std::cin, line)) return false;
    return line == "i" || line == "I" || line == "igen" || line == "y" || line == "yes";
}

// The link's own warnings in one line each, named by their category; the
// missing permission and a node in use are left to the tool's own error
// line, which says the same.
void OneLineMessages(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QString::fromUtf8(kUdevRuleName))) return;
    if (message.contains(QString::fromStdString(UsbInUseText("")).section(')', 1))) return;
    QString category = QString::fromLatin1(context.category ? context.category : "default");
    // The bus's warnings kept the prefix technicians already know.
    if (category == QLatin1String("velmar.usb")) category = QStringLiteral("USB");
    CliOutput::Error(category == "default" ? message.simplified() : category + ": " + message.simplified());
}

}  // namespace

int main(int argc, char** argv) {
    const Utf8Console console;
    const std::unique_ptr<QCoreApplication> application = CliApplication(argc, argv);
    QCoreApplication& app = *application;
    // Without it only Qt's own texts stay in English.
    (void)InstallQtTranslation(app);
    qInstallMessageHandler(OneLineMessages);
    CliContext ctx;
    ctx.confirm = AskOnStdin;
    ctx.journalFolder = DefaultJournalFolder();
    ctx.stationFile = QDir(UserDataFolder()).filePath("velmar/station.json");

    const QStringList args = app.arguments().mid(1);
    int at = 0;
    for (; at < args.size() && args[at].startsWith('-'); ++at) {
        const QString& a = args[at];
        if (a == "--help" || a == "-h") {
            PrintUsage();
            return kExitDone;
        }
        if (a == "--version") {
            std::printf("%s\n", qPrintable(VersionText("velmar-cli")));
            return kExitDone;
        }
        if (TakeGlobalOption(a, ctx)) continue;
        if (!IsInstrumentFlag(a)) {
            CliOutput::Error(QString::fromUtf8("ismeretlen kapcsoló: %1 (velmar-cli --help)").arg(a));
            return kExitUsage;
        }
        ctx.linkArguments << a;
    }
    if (at == args.size()) {
        CliOutput::Error(QString::fromUtf8("hiányzik a parancs (velmar-cli --help)"));
        return kExitUsage;
    }
    for (const CliCommand& c : CliCommands()) {
        if (args[at] != c.name) continue;
        // After the command the global options, and the virtual instrument's
        // flags but where the command has options of the same names, up to
        // the "--" that ends the options.
        const bool ownFlags = args[at] == "set-identity";
        QStringList own, globals = args.mid(0, at);
        bool optionsEnded = false;
        for (const QString& a : args.mid(at + 1)) {
            optionsEnded = optionsEnded || a == "--";
            if (!optionsEnded && TakeGlobalOption(a, ctx)) {
                globals << a;
                continue;
            }
            if (!optionsEnded && !ownFlags && IsInstrumentFlag(a)) {
                ctx.linkArguments << a;
                globals << a;
                continue;
            }
            own << a;
        }
        InstrumentChoice choice;
        QString error;
        if (ChoosesOnBus(ctx.linkArguments, &choice, &error) && choice.kind == InstrumentChoice::Kind::kAll)
            return RunOnAll(ctx, globals, c.name, own);
        if (!error.isEmpty()) {
            CliOutput::Error(error);
            return kExitUsage;
        }
        return c.run(ctx, own);
    }
    CliOutput::Error(QString::fromUtf8("ismeretlen parancs: %1 (velmar-cli --help)").arg(args[at]));
    return kExitUsage;
}
