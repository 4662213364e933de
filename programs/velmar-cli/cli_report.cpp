#include "programs/velmar-cli/cli_report.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>

#include "core/device/status_texts.h"
#include "programs/velmar-cli/cli_commands.h"
#include "report/report_json.h"
#include "report/report_pdf.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// A number as typed on a command line, with a decimal point or comma.
std::optional<double> Number(QString text) {
    bool ok = false;
    const double v = text.trimmed().replace(',', '.').toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// An empty part is not given; anything else must be a number.
bool OptionalNumber(const QString& text, std::optional<double>* value) {
    if (text.trimmed().isEmpty()) return true;
    *value = Number(text);
    return value->has_value();
}

// The readings of the next two seconds, as the window averages them.
std::optional<std::vector<double>> Sample(CliSession& session, QString* error) {
    std::vector<double> readings;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kCheckSampleMs) {
        const std::optional<tRX> rx = session.Status(error);
        if (!rx) return std::nullopt;
        readings.push_back(ReadingOf(*rx));
        session.Sleep(50);
    }
    return readings;
}

// The check points evaluated against the scales the instrument holds now.
std::optional<CheckPoints> TakePoints(CliSession& session, const CliReportRequest& r, const BlockImages& left,
                                      const tRX& rx, QString* error) {
    CheckPoints c;
    if (r.points.empty()) return c;
    const SignalScales scales = SignalScalesOf(left, {rx.uDecimalPoint, rx.uDevice});
    c.span = r.span ? *r.span : scales.readingScaleKnown ? scales.input.ToSpan() : 0;
    if (!(c.span > 0)) {
        *error = U("a bemenet skálája nem ismert: adja meg a terjedelmet (--span=…)");
        return std::nullopt;
    }
    c.spanSource = r.span ? "kézzel megadva" : scales.block + " skálája";
    c.tolerancePercent = r.tolerancePercent;
    c.steadyPercent = r.steadyPercent;
    const char* unit = MeasuredUnit(rx);
    c.unit = unit ? unit : "";
    c.decimals = ReadingDecimals(rx);
    DescribeScales(c, scales);
    const CheckLimits limits{c.span, c.outputSpan, c.tolerancePercent, c.steadyPercent};
    for (const CliCheckPoint& p : r.points) {
        if (p.output && !scales.output) {
            *error = U("a készüléknek nincs analóg kimenete: a pont kimenete (%1) nem ítélhető meg").arg(*p.output);
            return std::nullopt;
        }
        std::vector<double> readings{p.reading.value_or(0)};
        if (!p.reading) {
            const std::optional<std::vector<double>> sampled = Sample(session, error);
            if (!sampled) return std::nullopt;
            readings = *sampled;
        }
        const std::optional<CheckPoint> point =
            EvaluateCheckPoint(p.input, ExpectedAt(scales, p.input), p.output, readings, limits);
        if (!point) {
            *error = U("a pont (%1) nem értékelhető").arg(p.input);
            return std::nullopt;
        }
        if (!point->steady)
            CliOutput::Say(U("a jel nem állandó a(z) %1 bemenetnél; a pont jelölve rögzült").arg(p.input));
        c.points.push_back(*point);
    }
    return c;
}

}  // namespace

int WriteInstrumentReport(CliSession& session, const QString& path, CliReportRequest request, const CliOutput& out) {
    const InstrumentIdentity id = session.Identity();
    const InstrumentFit fit = session.Fit();
    // The journal as it was before this command reads anything: every
    // command of the tool is an attach of its own.
    std::vector<JournalEntry> entries;
    QFile journal(session.Journal().PathFor(id.deviceType, id.serial));
    if (journal.open(QIODevice::ReadOnly)) entries = ParseJournal(journal.readAll());

    QString error;
    const std::optional<BlockImages> left = session.Read(BlocksOf(fit), false, &error);
    const std::optional<tRX> rx = left ? session.Status(&error) : std::nullopt;
    if (!left || !rx) {
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
    const std::optional<CheckPoints> checks = TakePoints(session, request, *left, *rx, &error);
    if (!checks) {
        CliOutput::Error(error);
        return session.Online() ? kExitUsage : kExitLink;
    }
    request.header.time = QDateTime::currentDateTime();
    s.header = request.header;
    s.identity = id;
    s.fit = fit;
    s.context = {session.MeasuredDecimals(), id.deviceType};
    s.asLeft = *left;
    s.visit = VisitOf(entries);
    s.checks = *checks;
    s.relayTests = request.relayTests;
    const char* unit = MeasuredUnit(*rx);
    s.readingUnit = unit ? QString::fromUtf8(unit) : QString();
    const ReportDocument d = BuildReport(s);
    if (!SaveReportPdf(d, path, &error)) {
        CliOutput::Error(error);
        return kExitFile;
    }
    if (d.referenceExpired) CliOutput::Say(U("figyelem: a referencia műszer kalibrálása lejárt"));
    QJsonObject record{{"file", path},
                       {"json", ReportJsonPath(path)},
                       {"number", d.number},
                       {"changedFields", d.changedFields},
                       {"asFound", d.hasAsFound},
                       {"writes", int(d.writes.size())},
                       {"points", int(d.checks.points.size())}};
    if (!d.checks.points.empty()) record["verdict"] = d.checks.AllPass() ? U("megfelel") : U("nem felel meg");
    if (request.printJson) record["report"] = QJsonDocument::fromJson(ReportJson(d)).object();
    out.Record(record);
    return kExitDone;
}

namespace {

const char* kUsage =
    "használat: velmar-cli report FÁJL.pdf [--technician=…] [--site=…] [--tag=…] [--customer=…] "
    "[--order=…] [--note=…] [--reference=\"TÍPUS;GYÁRI SZÁM;ÉÉÉÉ-HH-NN\"] [--ambient=°C] "
    "[--humidity=%] [--point=\"BEMENET;KIMENET[;KIJELZÉS]\"]… [--relay=\"N;BE;KI\"]… [--tolerance=%] "
    "[--span=…] [--json]";

// The options into a request; an error names the option and what it takes.
std::optional<CliReportRequest> ParseRequest(const QCommandLineParser& p, QString* error) {
    CliReportRequest r;
    ReportHeader& h = r.header;
    h.technician = p.value("technician");
    h.site = p.value("site");
    h.tag = p.value("tag");
    h.customer = p.value("customer");
    h.order = p.value("order");
    h.note = p.value("note");
    if (p.isSet("reference")) {
        const QStringList parts = p.value("reference").split(';');
        h.reference.type = parts.value(0).trimmed();
        h.reference.serial = parts.value(1).trimmed();
        const QString due = parts.value(2).trimmed();
        h.reference.due = QDate::fromString(due, Qt::ISODate);
        if (parts.size() > 3 || (!due.isEmpty() && !h.reference.due.isValid())) {
            *error =
                U("--reference: „TÍPUS;GYÁRI SZÁM;ÉÉÉÉ-HH-NN” alakban adja meg, nem: %1").arg(p.value("reference"));
            return std::nullopt;
        }
    }
    for (const auto& [name, value] : {std::pair{"ambient", &h.ambient}, {"humidity", &h.humidity}, {"span", &r.span}}) {
        if (!OptionalNumber(p.value(name), value)) {
            *error = U("--%1: nem szám: %2").arg(U(name), p.value(name));
            return std::nullopt;
        }
    }
    for (const auto& [name, value] : {std::pair{"tolerance", &r.tolerancePercent}, {"steady", &r.steadyPercent}}) {
        if (!p.isSet(name)) continue;
        const std::optional<double> v = Number(p.value(name));
        if (!v || *v <= 0) {
            *error = U("--%1: pozitív szám kell (a terjedelem %-a), nem: %2").arg(U(name), p.value(name));
            return std::nullopt;
        }
        *value = *v;
    }
    for (const QString& point : p.values("point")) {
        const QStringList parts = point.split(';');
        CliCheckPoint c;
        const std::optional<double> input = Number(parts.value(0));
        if (!input || parts.size() > 3 || !OptionalNumber(parts.value(1), &c.output) ||
            !OptionalNumber(parts.value(2), &c.reading)) {
            *error = U("--point: „BEMENET;KIMENET” vagy „BEMENET;KIMENET;KIJELZÉS” számokkal, nem: %1").arg(point);
            return std::nullopt;
        }
        c.input = *input;
        r.points.push_back(c);
    }
    if (r.points.size() > std::size_t(kMaxCheckPoints)) {
        *error = U("--point: legfeljebb %1 ellenőrző pont lehet").arg(kMaxCheckPoints);
        return std::nullopt;
    }
    for (const QString& relay : p.values("relay")) {
        const QStringList parts = relay.split(';');
        RelayTest t;
        if (parts.size() != 3 || (parts[0] != "1" && parts[0] != "2") || !OptionalNumber(parts[1], &t.switchedAt) ||
            !OptionalNumber(parts[2], &t.releasedAt)) {
            *error = U("--relay: „N;BEKAPCSOLT;ELENGEDETT” alakban (N: 1 vagy 2), nem: %1").arg(relay);
            return std::nullopt;
        }
        r.relayTests["limit" + parts[0].toStdString()] = t;
    }
    r.printJson = p.isSet("json");
    return r;
}

}  // namespace

int Report(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.setApplicationDescription(
        U("Üzembe helyezési jegyzőkönyv PDF-ben és JSON-ban: megtalált és átadott állapot, "
          "ellenőrző pontok, relék."));
    p.addHelpOption();
    p.addOptions({{"technician", U("Az üzembe helyező neve."), U("NÉV")},
                  {"site", U("Telephely."), U("HELY")},
                  {"tag", U("Hurokazonosító (tag)."), U("TAG")},
                  {"customer", U("Megrendelő."), U("NÉV")},
                  {"order", U("Munkaszám vagy rendelésszám."), U("SZÁM")},
                  {"note", U("Megjegyzés."), U("SZÖVEG")},
                  {"reference", U("A referencia műszer: típus, gyári szám, kalibrálás érvényessége."),
                   U("TÍPUS;GYÁRI SZÁM;ÉÉÉÉ-HH-NN")},
                  {"ambient", U("Környezeti hőmérséklet, °C."), U("°C")},
                  {"humidity", U("Relatív páratartalom, %."), U("%")},
                  {"point",
                   U("Ellenőrző pont: a bemenetre adott érték a bemenet egységében, a kimeneten mért érték "
                     "(üres: nincs), és ha a sor maga olvasta, a kijelzés; különben a program 2 s-ig méri."),
                   U("BEMENET;KIMENET[;KIJELZÉS]")},
                  {"relay",
                   U("Relé kapcsolási próbája: a relé száma, a bekapcsolás és az elengedés értéke (üres: "
                     "nem vizsgált)."),
                   U("N;BE;KI")},
                  {"tolerance", U("Tűrés a terjedelem %-ában (0,5)."), U("%")},
                  {"steady", U("Az ingadozás határa a terjedelem %-ában (0,1)."), U("%")},
                  {"span", U("A kijelzés terjedelme, ha a beállításokból nem ismert."), U("SZÁM")},
                  {"json", U("A jegyzőkönyv adatai a kimeneten is.")}});
    if (!p.parse(QStringList{"velmar-cli report"} + args)) {
        CliOutput::Error(p.errorText());
        return kExitUsage;
    }
    if (p.isSet("help")) {
        std::fputs(p.helpText().toUtf8().constData(), stdout);
        return kExitDone;
    }
    if (p.positionalArguments().size() != 1) {
        CliOutput::Error(U(kUsage));
        return kExitUsage;
    }
    QString error;
    std::optional<CliReportRequest> request = ParseRequest(p, &error);
    if (!request) {
        CliOutput::Error(error);
        return kExitUsage;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        CliOutput::Error(QString::fromUtf8("a report parancs csak önállóan futtatható"));
        return kExitUsage;
    }
    if (int e = ctx.Open()) return e;
    return WriteInstrumentReport(*ctx.session, p.positionalArguments()[0], std::move(*request), ctx.out);
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
