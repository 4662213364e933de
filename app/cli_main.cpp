// velmar-cli: what the main window does, from a shell, without a window.

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_instruments.h"
#include "link/hid_factory.h"
#include "app/program_date.h"
#include "link/usb_access.h"
#include "sim/instrument_config.h"

using namespace velmar;

namespace {

void PrintUsage() {
    QString text = QString::fromUtf8(
        "Használat: velmar-cli [--device=…] [--text] [--service] PARANCS [kapcsolók]\n\n"
        "Általános kapcsolók (a parancs előtt):\n"
        "  --device=sim[:KÓD] | unix:ÚTVONAL | tcp:GÉP:PORT   a készülék (alap: USB)\n"
        "  --device=usb:/dev/hidrawN | usb:GYÁRISZÁM   több USB-s készülék közül egy\n"
        "  --device=usb:all   a parancs minden készüléken sorban (info, status --count=N,\n"
        "                save MINTA, diff, load --yes); a fájlnévben {serial} és {type}\n"
        "  --sim-bus=MAPPA   az USB helyett a MAPPA socketjein szolgáltatott virtuális készülékek\n"
        "  --text        táblázat JSON helyett\n"
        "  --service     szerviz mód: set-identity, és a teljes beállításkészlet\n"
        "  --help, --version\n\n"
        "Parancsok:\n");
    for (const CliCommand& c : CliCommands())
        text += QString("  %1 %2\n      %3\n").arg(c.name, QString::fromUtf8(c.synopsis), QString::fromUtf8(c.summary));
    text += QString::fromUtf8(
        "\nKilépési kód: 0 kész vagy nincs eltérés, 1 eltérés vagy sikertelen ellenőrzés,\n"
        "2 hibás használat, 3 nincs készülék vagy megszakadt a kapcsolat.\n"
        "A parancsok saját súgója: velmar-cli PARANCS --help\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

bool AskOnStdin(const QString& question) {
    std::fputs(question.toUtf8().constData(), stderr);
    std::string line;
    if (!std::getline(std::cin, line)) return false;
    return line == "i" || line == "I" || line == "igen" || line == "y" || line == "yes";
}

// The link's own warnings in one line each; the missing permission and a
// node in use are left to the tool's own error line, which says the same.
void OneLineMessages(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.contains(QString::fromUtf8(kUdevRuleName))) return;
    if (message.contains(QString::fromStdString(UsbInUseText("")).section(')', 1))) return;
    CliOutput::Error(message.simplified());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(OneLineMessages);
    CliContext ctx;
    ctx.confirm = AskOnStdin;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ctx.journalFolder = DefaultJournalFolder();
    ctx.stationFile = QDir(data).filePath("velmar/station.json");

    const QStringList args = app.arguments().mid(1);
    int at = 0;
    for (; at < args.size() && args[at].startsWith('-'); ++at) {
        const QString& a = args[at];
        if (a == "--help" || a == "-h") {
            PrintUsage();
            return kExitDone;
        }
        if (a == "--version") {
            std::printf("velmar-cli v%s\n", qPrintable(ProgramDateText('.')));
            return kExitDone;
        }
        if (a == "--text") {
            ctx.out = CliOutput(true);
            continue;
        }
        if (a == "--service") {
            ctx.service = true;
            continue;
        }
        sim::InstrumentConfig probe;
        std::string error;
        if (!a.startsWith("--device=") && !a.startsWith("--sim-bus=") &&
            !sim::ParseInstrumentFlag(a.toStdString(), probe, &error)) {
            CliOutput::Error(QString::fromUtf8("ismeretlen kapcsoló: %1 (velmar-cli --help)").arg(a));
            return kExitUsage;
        }
        ctx.linkArguments << a;
    }
    if (at == args.size()) {
        CliOutput::Error(QString::fromUtf8("hiányzik a parancs (velmar-cli --help)"));
        return kExitUsage;
    }
    InstrumentChoice choice;
    QString error;
    if (ChoosesOnBus(ctx.linkArguments, &choice, &error) && choice.kind == InstrumentChoice::Kind::kAll)
        return RunOnAll(ctx, args.mid(0, at), args[at], args.mid(at + 1));
    if (!error.isEmpty()) {
        CliOutput::Error(error);
        return kExitUsage;
    }
    for (const CliCommand& c : CliCommands())
        if (args[at] == c.name) return c.run(ctx, args.mid(at + 1));
    CliOutput::Error(QString::fromUtf8("ismeretlen parancs: %1 (velmar-cli --help)").arg(args[at]));
    return kExitUsage;
}
