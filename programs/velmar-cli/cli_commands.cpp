#include "programs/velmar-cli/cli_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>

#include "core/device/device_types.h"
#include "core/device/service_commands.h"
#include "core/device/status_codec.h"
#include "core/device/status_texts.h"
#include "core/link/frame.h"
#include "core/link/payload_io.h"
#include "core/modules/module_names.h"
#include "program/file_writing.h"
#include "programs/velmar-cli/cli_instruments.h"
#include "programs/velmar-cli/cli_status.h"
#include "transport/hid_factory.h"
#include "transport/usb_access.h"

namespace velmar {

// The plain words for a node this user may not open, with the fix.
QString AccessText(const std::string& node) {
    const UdevRuleFiles rule = FindUdevRule(QCoreApplication::applicationDirPath().toStdString());
    return QString::fromStdString(UsbAccessDeniedText(node, rule)).simplified();
}

int CliContext::Open() {
    QString error;
    hid = CreateHidLibrary(linkArguments, &error);
    if (!hid) {
        CliOutput::Error(error);
        return kExitUsage;
    }
    InstrumentChoice choice;
    const bool bus = ChoosesOnBus(linkArguments, &choice, &error);
    if (bus && choice.kind != InstrumentChoice::Kind::kFirst) {
        // The chosen one must be there and free, or the line says which are.
        const std::vector<AttachedInstrument> attached = hid->Instruments(true);
        auto chosen = std::find_if(attached.begin(), attached.end(), [&](const AttachedInstrument& a) {
            return choice.kind == InstrumentChoice::Kind::kNode ? a.node == choice.node
                                                                : a.identified && a.serial == choice.serial;
        });
        if (chosen == attached.end()) {
            CliOutput::Error(AbsentText(choice, attached));
            return kExitLink;
        }
        if (const QString problem = InstrumentProblem(*chosen); !problem.isEmpty()) {
            CliOutput::Error(problem);
            return kExitLink;
        }
    }
    session = std::make_unique<CliSession>(*hid, journalFolder, service);
    if (!session->Connect(3000, &error)) {
        // An instrument that is there but may not be opened says why.
        if (bus)
            for (const AttachedInstrument& a : hid->Instruments(false))
                if (const QString problem = InstrumentProblem(a); !problem.isEmpty() && !session->Online()) {
                    error = problem;
                    break;
                }
        CliOutput::Error(error);
        return kExitLink;
    }
    return kExitDone;
}

namespace {

// The command's help: Qt's, but naming the command rather than the full path
// of the executable, and telling where the global options go.
QString CommandHelp(const QCommandLineParser& p, const CliCommand& c) {
    QString text = p.helpText();
    const QString usage = QString::fromUtf8("Használat: velmar-cli [általános kapcsolók] %1 %2")
                              .arg(c.name, QString::fromUtf8(c.synopsis));
    text.replace(0, text.indexOf('\n'), usage.trimmed());
    return text + QString::fromUtf8(
                      "\nÁltalános kapcsolók, a parancs előtt vagy után: --device=…, --text, --service\n"
                      "(velmar-cli --help).\n");
}

}  // namespace

const CliCommand& FindCliCommand(const char* name) {
    for (const CliCommand& c : CliCommands())
        if (QString(c.name) == name) return c;
    std::abort();
}

int ParseCommandOptions(QCommandLineParser& p, const CliCommand& c, const QStringList& arguments, int positional) {
    p.setApplicationDescription(QString::fromUtf8(c.summary));
    // Our own help option: Qt's has no Hungarian text, and its --help-all
    // would run the command instead of showing the help.
    p.addOption({{"h", "help"}, QString::fromUtf8("Ez a súgó.")});
    if (positional == 1)
        p.addPositionalArgument(QString::fromUtf8("FÁJL"), QString::fromUtf8("A beállítások fájlja (JSON)."));
    if (!p.parse(QStringList{QString("velmar-cli %1").arg(c.name)} + arguments)) {
        CliOutput::Error(p.errorText());
        return kExitUsage;
    }
    if (p.isSet("help")) {
        std::fputs(CommandHelp(p, c).toUtf8().constData(), stdout);
        return kExitDone;
    }
    if (p.positionalArguments().size() != positional) {
        CliOutput::Error(
            QString::fromUtf8("használat: velmar-cli %1 %2").arg(c.name, QString::fromUtf8(c.synopsis)).trimmed());
        return kExitUsage;
    }
    return -1;
}

namespace {

QJsonObject ModuleJson(uint8_t code, bool input) {
    return {{"code", int(code)}, {"name", QString::fromUtf8(ModuleName(code, input))}};
}

int List(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    if (int stop = ParseCommandOptions(p, FindCliCommand("list"), args, 0); stop >= 0) return stop;
    QString error;
    InstrumentChoice choice;
    const std::unique_ptr<HidLibrary> bus =
        ChoosesOnBus(ctx.linkArguments, &choice, &error) ? CreateHidLibrary(ctx.linkArguments, &error) : nullptr;
    // Each free node is asked who it is; a node in use is shown as such.
    const std::vector<AttachedInstrument> found = bus ? bus->Instruments(true) : std::vector<AttachedInstrument>{};
    for (const AttachedInstrument& a : found) {
        QJsonObject o = InstrumentJson(a);
        if (a.state == NodeState::kRefused) o["fix"] = AccessText(a.node);
        ctx.out.Record(o);
    }
    if (found.empty()) {
        CliOutput::Error(QString::fromUtf8("nincs USB-n csatlakoztatott Velmar készülék"));
        return kExitLink;
    }
    return kExitDone;
}

int Info(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    if (int stop = ParseCommandOptions(p, FindCliCommand("info"), args, 0); stop >= 0) return stop;
    if (int e = ctx.Open()) return e;
    const InstrumentIdentity id = ctx.session->Identity();
    const InstrumentFit fit = ctx.session->Fit();
    QJsonArray blocks;
    QStringList blockCaptions;
    for (const SettingsBlockInfo* b : BlocksOf(fit)) {
        blocks.append(b->name);
        blockCaptions << QString::fromUtf8(b->caption);
    }
    if (ctx.out.Text()) {
        ctx.out.Captions(
            {{QString::fromUtf8("Készülék"), QString::fromStdString(DeviceTypeName(id.deviceType))},
             {QString::fromUtf8("Típuskód"), QString::number(id.deviceType)},
             {QString::fromUtf8("Gyári szám"), QString::fromStdString(SerialText(id.serial))},
             {QString::fromUtf8("Gyártás ideje"),
              QString("20%1.%2.").arg(id.madeYear, 2, 10, QChar('0')).arg(id.madeMonth, 2, 10, QChar('0'))},
             {QString::fromUtf8("Firmware"), QString::fromStdString(id.firmware)},
             {QString::fromUtf8("Bemeneti modul"), ModuleName(fit.optIn, true)},
             {QString::fromUtf8("1. kimeneti modul"), ModuleName(fit.out1, false)},
             {QString::fromUtf8("2. kimeneti modul"), ModuleName(fit.out2, false)},
             {QString::fromUtf8("Beállításblokkok"), blockCaptions.join('\n')}});
        return kExitDone;
    }
    ctx.out.Record({{"deviceType", int(id.deviceType)},
                    {"name", QString::fromStdString(DeviceTypeName(id.deviceType))},
                    {"serial", QString::fromStdString(SerialText(id.serial))},
                    {"made", QString("%1-%2").arg(id.madeYear, 2, 10, QChar('0')).arg(id.madeMonth, 2, 10, QChar('0'))},
                    {"firmware", QString::fromStdString(id.firmware)},
                    {"input", ModuleJson(fit.optIn, true)},
                    {"output1", ModuleJson(fit.out1, false)},
                    {"output2", ModuleJson(fit.out2, false)},
                    {"blocks", blocks}});
    return kExitDone;
}

int Status(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.addOption({"watch", QString::fromUtf8("Folyamatosan, soronként egy rekord.")});
    p.addOption({"interval", QString::fromUtf8("A rekordok közti idő ezredmásodpercben (alap: 1000)."), "MS", "1000"});
    p.addOption({"count", QString::fromUtf8("Ennyi rekord után kilép; --watch nélkül is figyel."), "N", "0"});
    if (int stop = ParseCommandOptions(p, FindCliCommand("status"), args, 0); stop >= 0) return stop;
    bool ok1 = false, ok2 = false;
    const int interval = p.value("interval").toInt(&ok1), count = p.value("count").toInt(&ok2);
    if (!ok1 || !ok2 || interval < 10 || count < 0) {
        CliOutput::Error(QString::fromUtf8("az --interval legalább 10, a --count nem negatív egész szám"));
        return kExitUsage;
    }
    if (int e = ctx.Open()) return e;
    // A count asks for that many records: watching is implied.
    const int records = p.isSet("watch") || p.isSet("count") ? count : 1;
    QElapsedTimer clock;
    clock.start();
    bool headed = false;  // the table's header goes before its first row
    // --count counts the records printed; an answer lost on the way is asked
    // for again at the next interval.
    int printed = 0;
    for (qint64 tick = 0; records == 0 || printed < records; ++tick) {
        if (tick > 0) {
            const qint64 wait = tick * interval - clock.elapsed();
            if (wait > 0) ctx.session->Sleep(int(wait));
        }
        QString error;
        const std::optional<tRX> rx = ctx.session->Status(&error);
        if (!rx) {
            CliOutput::Error(error);
            // A watch outlives an answer lost now and then; not the instrument gone.
            if (records == 1 || !ctx.session->Online()) return kExitLink;
            continue;
        }
        const QDateTime now = QDateTime::currentDateTime();
        ++printed;
        if (!ctx.out.Text()) {
            ctx.out.Record(StatusJson(*rx, now));
            continue;
        }
        if (!headed) ctx.out.Line(StatusTableHeader());
        headed = true;
        ctx.out.Line(StatusTableRow(*rx, now));
    }
    return kExitDone;
}

std::vector<const SettingsBlockInfo*> Blocks(CliContext& ctx) { return BlocksOf(ctx.session->Fit()); }

int Save(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.addOption({"force", QString::fromUtf8("Meglévő fájl felülírása.")});
    if (int stop = ParseCommandOptions(p, FindCliCommand("save"), args, 1); stop >= 0) return stop;
    // Told before the instrument is read: a file kept is worth more than the time.
    if (const QString path = p.positionalArguments()[0]; QFileInfo::exists(path) && !p.isSet("force")) {
        CliOutput::Error(QString::fromUtf8("a fájl már létezik, nem írom felül: %1 (felülírás: --force)").arg(path));
        return kExitFile;
    }
    if (int e = ctx.Open()) return e;
    QString error;
    const auto blocks = ctx.session->Read(Blocks(ctx), false, &error);
    if (!blocks) {
        CliOutput::Error(error);
        return kExitLink;
    }
    const QString path = p.positionalArguments()[0];
    const SettingsSnapshot s{ctx.session->Identity(), ctx.session->MeasuredDecimals(), *blocks};
    if (!WriteFileWhole(path, WriteSettingsFile(s, "velmar-cli"), &error)) {
        CliOutput::Error(QString::fromUtf8("a fájl nem írható: %1 (%2)").arg(path, error));
        return kExitFile;
    }
    QJsonArray names;
    for (const auto& [name, bytes] : *blocks) names.append(QString::fromStdString(name));
    ctx.out.Record({{"file", path}, {"blocks", names}});
    return kExitDone;
}

// The file's blocks against the instrument's: both read and checked.
struct FileCompare {
    SettingsSnapshot file;
    BlockImages instrument;
    std::vector<FieldRow> rows;
};

int CompareWithFile(CliContext& ctx, const QString& path, FileCompare& out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        CliOutput::Error(QString::fromUtf8("a fájl nem olvasható: %1 (%2)").arg(path, f.errorString()));
        return kExitFile;
    }
    const QByteArray data = f.read(4 << 20);
    if (int e = ctx.Open()) return e;
    QString error;
    const std::optional<SettingsSnapshot> s = ReadSettingsFile(data, ctx.session->Identity().deviceType, &error);
    if (!s || !SameBlocks(*s, Blocks(ctx), &error)) {
        CliOutput::Error(QString::fromUtf8("a fájl nem tölthető be: ") + error);
        return kExitFile;
    }
    const auto now = ctx.session->Read(Blocks(ctx), false, &error);
    if (!now) {
        CliOutput::Error(error);
        return kExitLink;
    }
    const uint16_t type = ctx.session->Identity().deviceType;
    out = {*s, *now,
           CompareBlocks(*now, {ctx.session->MeasuredDecimals(), type}, s->blocks, {s->measuredDecimals, type})};
    return kExitDone;
}

int Diff(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    if (int stop = ParseCommandOptions(p, FindCliCommand("diff"), args, 1); stop >= 0) return stop;
    FileCompare c;
    if (int e = CompareWithFile(ctx, p.positionalArguments()[0], c)) return e;
    if (ctx.out.Text())
        ctx.out.Differences(c.rows, QString::fromUtf8("Fájl"));
    else
        ctx.out.Record({{"differences", DifferencesJson(c.rows)}});
    return DifferenceCount(c.rows) ? kExitDiffers : kExitDone;
}

int Load(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.addOption({"yes", QString::fromUtf8("Kérdés nélkül beírja a különbségeket.")});
    if (int stop = ParseCommandOptions(p, FindCliCommand("load"), args, 1); stop >= 0) return stop;
    FileCompare c;
    if (int e = CompareWithFile(ctx, p.positionalArguments()[0], c)) return e;
    if (DifferenceCount(c.rows) == 0) {
        ctx.out.Text() ? ctx.out.Differences(c.rows, QString::fromUtf8("Fájl"))
                       : ctx.out.Record({{"differences", QJsonArray{}}, {"written", QJsonArray{}}});
        return kExitDone;
    }
    // The differences go to the standard error when the answer is JSON, so a
    // script reading the standard output gets one object.
    CliOutput(true, ctx.out.Text() ? stdout : stderr).Differences(c.rows, QString::fromUtf8("Fájl"));
    if (!p.isSet("yes") && !ctx.confirm(QString::fromUtf8("%1 eltérés. Beírja a fájl értékeit a készülékbe? [i/N] ")
                                            .arg(DifferenceCount(c.rows)))) {
        CliOutput::Say(QString::fromUtf8("Semmi sem íródott a készülékbe."));
        return kExitDiffers;
    }
    const BlockImages chosen = TakeChosen(c.instrument, c.file.blocks, c.rows, std::vector<bool>(c.rows.size(), true));
    const BlockWriteResult w = ctx.session->Write(chosen);
    QJsonArray verified, mismatched;
    for (const std::string& n : w.verified) verified.append(QString::fromStdString(n));
    for (const std::string& n : w.mismatched) mismatched.append(QString::fromStdString(n));
    // A person has read the differences in the table above.
    if (ctx.out.Text())
        ctx.out.Record({{"verified", verified}, {"mismatched", mismatched}});
    else
        ctx.out.Record({{"differences", DifferencesJson(c.rows)}, {"verified", verified}, {"mismatched", mismatched}});
    if (w.error != 0) {
        CliOutput::Error(QString::fromUtf8("%1%2: %3; a napló mutatja, mi íródott be: %4")
                             .arg(QString::fromUtf8(w.failed->caption),
                                  w.failedReadingBack ? QString::fromUtf8(" visszaolvasása") : QString(),
                                  LinkErrorLine(w.error), ctx.session->Journal().FilePath()));
        return kExitLink;
    }
    return w.mismatched.empty() ? kExitDone : kExitDiffers;
}

int Defaults(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    if (int stop = ParseCommandOptions(p, FindCliCommand("defaults"), args, 0); stop >= 0) return stop;
    if (int e = ctx.Open()) return e;
    QString error;
    const auto now = ctx.session->Read(Blocks(ctx), false, &error);
    auto factory = now ? ctx.session->Read(Blocks(ctx), true, &error) : std::nullopt;
    if (!factory) {
        CliOutput::Error(error);
        return kExitLink;
    }
    for (auto& [name, bytes] : *factory) bytes = FindSettingsBlock(name)->defaultsAsBlock(bytes, now->at(name));
    const FieldContext context{ctx.session->MeasuredDecimals(), ctx.session->Identity().deviceType};
    // The factory values in the decimals they would bring back.
    const FieldContext factoryContext{FollowMeasuredDecimals(context.measuredDecimals, *now, *factory),
                                      context.deviceType};
    const std::vector<FieldRow> rows = CompareBlocks(*now, context, *factory, factoryContext);
    if (ctx.out.Text())
        ctx.out.Differences(rows, QString::fromUtf8("Gyári"));
    else
        ctx.out.Record({{"differences", DifferencesJson(rows)}});
    return DifferenceCount(rows) ? kExitDiffers : kExitDone;
}

}  // namespace

int SetIdentity(CliContext& ctx, const QStringList& args);  // cli_identity.cpp
int OfflineFields(CliContext& ctx, const QStringList& args);  // cli_offline.cpp
int OfflineEdit(CliContext& ctx, const QStringList& args);
int Report(CliContext& ctx, const QStringList& args);  // cli_report.cpp

std::span<const CliCommand> CliCommands() {
    static const CliCommand kCommands[] = {
        {"list", "",
         "Az USB-n csatlakoztatott készülékek: csomópont, megnyithatja-e ez a felhasználó, szabad-e, típus és "
         "gyári szám.",
         List},
        {"info", "", "A készülék azonosítói és beépített moduljai.", Info},
        {"status", "[--watch] [--interval=MS] [--count=N]", "Élő értékek, soronként egy rekord.", Status},
        {"save", "FÁJL [--force]",
         "A készülék összes beállítását fájlba menti; meglévő fájlt csak --force mellett ír felül.", Save},
        {"diff", "FÁJL", "A fájl és a készülék beállításainak eltérései (kilépési kód 1, ha van).", Diff},
        {"load", "FÁJL [--yes]", "A fájl eltérő értékeit beírja a készülékbe, majd visszaolvassa.", Load},
        {"defaults", "", "Eltérés a gyári értékektől (kilépési kód 1, ha van).", Defaults},
        {"fields", "FÁJL", "A fájl minden mezője értékével, határaival és választásaival (készülék nélkül).",
         OfflineFields},
        {"edit", "FÁJL --set=BLOKK.MEZŐ=ÉRTÉK … [--output=FÁJL] [--yes]",
         "Beállításfájl szerkesztése készülék nélkül, a mezők határain belül.", OfflineEdit},
        {"report",
         "FÁJL.pdf [--technician=…] [--site=…] [--tag=…] [--customer=…] [--order=…] [--note=…] "
         "[--reference=\"TÍPUS;GYÁRI SZÁM;ÉÉÉÉ-HH-NN\"] [--ambient=…] [--point=\"BEMENET;KIMENET\"]… [--relay=…]… "
         "[--json]",
         "Üzembe helyezési jegyzőkönyv PDF-ben és JSON-ban: megtalált (a naplóból) és átadott állapot, ellenőrző "
         "pontok, relék.",
         Report},
        {"set-identity", "--type=KÓD --serial=N|next --made=YY-MM [--in=KÓD] [--out1=KÓD] [--out2=KÓD] [--pt1000]",
         "Gyári azonosító beírása (csak --service mellett).", SetIdentity},
    };
    return kCommands;
}

}  // namespace velmar
