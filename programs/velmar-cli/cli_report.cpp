#include "programs/velmar-cli/cli_report.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>

#include "programs/velmar-cli/cli_commands.h"
#include "report/report_pdf.h"

namespace velmar {

int WriteInstrumentReport(CliSession& session, const QString& path, ReportHeader header, const CliOutput& out) {
    const InstrumentIdentity id = session.Identity();
    const InstrumentFit fit = session.Fit();
    // The journal as it was before this command reads anything: every
    // command of the tool is an attach of its own.
    std::vector<JournalEntry> entries;
    QFile journal(session.Journal().PathFor(id.deviceType, id.serial));
    if (journal.open(QIODevice::ReadOnly)) entries = ParseJournal(journal.readAll());

    QString error;
    const std::optional<BlockImages> left = session.Read(BlocksOf(fit), false, &error);
    if (!left) {
        CliOutput::Error(error);
        return kExitLink;
    }
    ReportSources s;
    for (const CalibrationRead* read : CalibrationReadsOf(fit)) {
        const CommandResult r = session.Call(read->command, {});
        if (r.error != 0) {
            CliOutput::Error(QString::fromUtf8("%1: %2").arg(QString::fromUtf8(read->caption), LinkErrorLine(r.error)));
            return kExitLink;
        }
        for (CalibrationValue& v : DecodeCalibration(*read, r.answer)) s.calibration.push_back(std::move(v));
    }
    header.time = QDateTime::currentDateTime();
    s.header = header;
    s.identity = id;
    s.fit = fit;
    s.context = {session.MeasuredDecimals(), id.deviceType};
    s.asLeft = *left;
    s.visit = VisitOf(entries);
    const ReportDocument d = BuildReport(s);
    if (!SaveReportPdf(d, path, &error)) {
        CliOutput::Error(error);
        return kExitFile;
    }
    out.Record({{"file", path}, {"changedFields", d.changedFields}, {"asFound", d.hasAsFound},
                {"writes", int(d.writes.size())}});
    return kExitDone;
}

int Report(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.setApplicationDescription(QString::fromUtf8("Üzembe helyezési jegyzőkönyv PDF-ben: megtalált és átadott állapot."));
    p.addHelpOption();
    p.addOption({"technician", QString::fromUtf8("Az üzembe helyező neve."), QString::fromUtf8("NÉV")});
    p.addOption({"site", QString::fromUtf8("Telephely vagy azonosító."), QString::fromUtf8("HELY")});
    p.addOption({"note", QString::fromUtf8("Megjegyzés."), QString::fromUtf8("SZÖVEG")});
    if (!p.parse(QStringList{"velmar-cli report"} + args)) {
        CliOutput::Error(p.errorText());
        return kExitUsage;
    }
    if (p.isSet("help")) {
        std::fputs(p.helpText().toUtf8().constData(), stdout);
        return kExitDone;
    }
    if (p.positionalArguments().size() != 1) {
        CliOutput::Error(QString::fromUtf8("használat: velmar-cli report FILE.pdf [--technician=…] [--site=…] [--note=…]"));
        return kExitUsage;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        CliOutput::Error(QString::fromUtf8("a report parancs csak önállóan futtatható"));
        return kExitUsage;
    }
    if (int e = ctx.Open()) return e;
    return WriteInstrumentReport(*ctx.session, p.positionalArguments()[0],
                                 {p.value("technician"), p.value("site"), p.value("note"), {}}, ctx.out);
}

std::unique_ptr<QCoreApplication> CliApplication(int& argc, char** argv) {
    // The command is the first argument that is not an option.
    int at = 1;
    while (at < argc && argv[at][0] == '-') ++at;
    if (at < argc && QByteArray(argv[at]) == "report") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace velmar
