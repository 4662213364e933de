#include "programs/velmar-cli/cli_instruments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cstdio>

#include "core/device/device_types.h"
#include "core/device/status_texts.h"
#include "transport/hid_factory.h"
#include "transport/usb_access.h"

namespace velmar {

QString AccessText(const std::string& node);  // cli_commands.cpp

namespace {

// The commands that run on each instrument: the one option each needs, and
// whether its file name is a pattern with {serial} and {type} in it.
struct AllCommand {
    const char* name;
    const char* required;  // an option it needs here, nullptr for none
    bool filePattern;
};

constexpr AllCommand kAllCommands[] = {
    {"info", nullptr, false}, {"status", nullptr, false}, {"save", nullptr, true},
    {"diff", nullptr, false}, {"load", "--yes", false},   {"report", nullptr, true},
};

const AllCommand* FindAllCommand(const QString& name) {
    for (const AllCommand& c : kAllCommands)
        if (name == c.name) return &c;
    return nullptr;
}

QString AllCommandNames() {
    QStringList names;
    for (const AllCommand& c : kAllCommands) names << QString(c.name) + (c.required ? QString(" ") + c.required : "");
    return names.join(", ");
}

QString Serial(uint32_t serial) { return QString::fromStdString(SerialText(serial)); }
QString TypeTag(uint16_t type) { return QString("PX%1").arg(type); }

// A usage error of usb:all, or empty.
QString CheckForAll(const AllCommand* c, const QString& command, const QStringList& arguments) {
    if (!c)
        return QString::fromUtf8("a --device=usb:all mellett ez a parancs nem fut: %1 (ezek igen: %2)")
            .arg(command, AllCommandNames());
    if (c->required && !arguments.contains(c->required))
        return QString::fromUtf8("a --device=usb:all mellett a %1 parancshoz %2 kell").arg(command, c->required);
    if (command == "status" &&
        (arguments.contains("--watch") || !arguments.filter(QRegularExpression("^--count")).isEmpty())) {
        const QStringList counts = arguments.filter(QRegularExpression("^--count=[1-9][0-9]*$"));
        if (counts.isEmpty())
            return QString::fromUtf8("a --device=usb:all mellett a status --watch-hoz --count=N kell (N > 0)");
    }
    if (c->filePattern) {
        const QStringList files = arguments.filter(QRegularExpression("^[^-]"));
        if (files.size() != 1 || !files[0].contains("{serial}"))
            return QString::fromUtf8(
                       "a --device=usb:all mellett a fájlnévben legyen {serial}, pl. %1 \"{type}-{serial}.json\"")
                .arg(command);
    }
    return {};
}

// The command's arguments for one instrument: the file name pattern filled.
QStringList ForInstrument(const AllCommand& c, QStringList arguments, const AttachedInstrument& a) {
    if (!c.filePattern) return arguments;
    for (QString& arg : arguments)
        if (!arg.startsWith('-')) arg.replace("{serial}", Serial(a.serial)).replace("{type}", TypeTag(a.deviceType));
    return arguments;
}

// The file one instrument's turn writes, as an absolute path; empty when
// the command writes none.
QString FileOf(const AllCommand& c, const QStringList& arguments) {
    if (!c.filePattern) return {};
    for (const QString& arg : arguments)
        if (!arg.startsWith('-')) return QFileInfo(arg).absoluteFilePath();
    return {};
}

struct Outcome {
    int exit = kExitLink;
    QJsonArray records;
    QString error;
    QByteArray text;  // what the run printed, for --text
};

// One instrument's turn: the tool itself, on that node alone, so that its
// lock, its journal and its answers stay its own.
Outcome RunOne(const QStringList& globalArguments, const QString& node, const QString& command,
               const QStringList& arguments) {
    QStringList args;
    for (const QString& a : globalArguments)
        if (!a.startsWith("--device=")) args << a;
    args << "--device=usb:" + node << command << arguments;
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QCoreApplication::applicationFilePath(), args);
    p.closeWriteChannel();
    Outcome o;
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit) {
        o.error = QString::fromUtf8("a parancs nem futott le: %1").arg(p.errorString());
        return o;
    }
    o.exit = p.exitCode();
    o.text = p.readAllStandardOutput();
    for (const QByteArray& line : o.text.split('\n'))
        if (!line.trimmed().isEmpty()) o.records.append(QJsonDocument::fromJson(line).object());
    QStringList errors;
    for (QString line : QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts))
        errors << line.remove(QRegularExpression("^velmar-cli: "));
    o.error = errors.join("; ");
    return o;
}

}  // namespace

QJsonObject InstrumentJson(const AttachedInstrument& a) {
    QJsonObject o{{"node", QString::fromStdString(a.node)},
                  {"access", a.state != NodeState::kRefused},
                  {"inUse", a.state == NodeState::kInUse}};
    if (a.identified) {
        o["serial"] = Serial(a.serial);
        o["deviceType"] = int(a.deviceType);
        o["name"] = QString::fromStdString(DeviceTypeName(a.deviceType));
    }
    if (a.current) o["current"] = true;
    return o;
}

QString InstrumentProblem(const AttachedInstrument& a) {
    switch (a.state) {
    case NodeState::kFree: return {};
    case NodeState::kRefused: return AccessText(a.node);
    case NodeState::kInUse: return QString::fromStdString(UsbInUseText(a.node));
    case NodeState::kSilent:
        return QString::fromUtf8("a készülék (%1) nem válaszolt").arg(QString::fromStdString(a.node));
    case NodeState::kGone:
        return QString::fromUtf8("a készülék (%1) nem nyitható meg").arg(QString::fromStdString(a.node));
    }
    return {};
}

QString AbsentText(const InstrumentChoice& choice, const std::vector<AttachedInstrument>& attached) {
    const QString wanted =
        choice.kind == InstrumentChoice::Kind::kSerial
            ? QString::fromUtf8("%1 gyári számú készülék").arg(Serial(choice.serial))
            : QString::fromUtf8("készülék a %1 csomóponton").arg(QString::fromStdString(choice.node));
    QStringList present;
    for (const AttachedInstrument& a : attached) {
        const QString node = QString::fromStdString(a.node);
        if (a.identified)
            present << QString("%1 (%2, %3)").arg(Serial(a.serial), TypeTag(a.deviceType), node);
        else
            present << QString::fromUtf8("%1: %2").arg(node, InstrumentProblem(a));
    }
    return QString::fromUtf8("nincs csatlakoztatva %1; csatlakoztatva: %2")
        .arg(wanted, present.isEmpty() ? QString::fromUtf8("semmi") : present.join(", "));
}

int RunOnAll(CliContext& ctx, const QStringList& globalArguments, const QString& command,
             const QStringList& arguments) {
    const AllCommand* c = FindAllCommand(command);
    if (c && (arguments.contains("--help") || arguments.contains("-h"))) {
        for (const CliCommand& known : CliCommands())
            if (command == known.name) return known.run(ctx, arguments);
    }
    if (const QString bad = CheckForAll(c, command, arguments); !bad.isEmpty()) {
        CliOutput::Error(bad);
        return kExitUsage;
    }
    QString error;
    const std::unique_ptr<HidLibrary> bus = CreateHidLibrary(ctx.linkArguments, &error);
    if (!bus) {
        CliOutput::Error(error);
        return kExitUsage;
    }
    const std::vector<AttachedInstrument> found = bus->Instruments(true);
    if (found.empty()) {
        CliOutput::Error(QString::fromUtf8("nincs USB-n csatlakoztatott Velmar készülék"));
        return kExitLink;
    }
    int worst = kExitDone, done = 0, differ = 0, failed = 0;
    // Two instruments of one type and serial number (two new ones, serial 0)
    // fill the pattern alike: the second must not overwrite the first's file.
    QSet<QString> written;
    for (const AttachedInstrument& a : found) {
        QJsonObject line = InstrumentJson(a);
        Outcome o;
        o.error = InstrumentProblem(a);
        if (o.error.isEmpty() && !a.identified) o.error = QString::fromUtf8("a készülék nem válaszolt");
        const QStringList own = ForInstrument(*c, arguments, a);
        const QString file = FileOf(*c, own);
        if (o.error.isEmpty() && written.contains(file)) {
            o.exit = kExitFile;
            o.error = QString::fromUtf8(
                          "a(z) %1 fájlt ebben a futásban már egy másik, azonos típusú és gyári számú "
                          "készülék írta; nem írom felül")
                          .arg(QDir::toNativeSeparators(file));
        }
        if (o.error.isEmpty()) {
            o = RunOne(globalArguments, QString::fromStdString(a.node), command, own);
            if (o.exit == kExitDone && !file.isEmpty()) written.insert(file);
        }
        line["exit"] = o.exit;
        if (!ctx.out.Text()) line["records"] = o.records;
        if (!o.error.isEmpty()) line["error"] = o.error;
        if (ctx.out.Text()) {
            // One heading a instrument; its own output names it no more.
            QString heading = QString::fromUtf8("== %1 %2 (%3), kilépési kód %4")
                                  .arg(TypeTag(a.deviceType), Serial(a.serial), QString::fromStdString(a.node))
                                  .arg(o.exit);
            if (!o.error.isEmpty()) heading += QString::fromUtf8(": ") + o.error;
            ctx.out.Line(heading);
            std::fputs(o.text.constData(), stdout);
            std::fflush(stdout);
        } else {
            ctx.out.Record(line);
        }
        worst = std::max(worst, o.exit);
        (o.exit == kExitDone ? done : o.exit == kExitDiffers ? differ : failed) += 1;
    }
    if (ctx.out.Text()) {
        ctx.out.Line(QString::fromUtf8("Összesítés: %1 készülék; kész %2, eltér %3, sikertelen %4; kilépési kód %5")
                         .arg(found.size())
                         .arg(done)
                         .arg(differ)
                         .arg(failed)
                         .arg(worst));
        return worst;
    }
    ctx.out.Record({{"summary", QJsonObject{{"instruments", int(found.size())},
                                            {"done", done},
                                            {"differ", differ},
                                            {"failed", failed},
                                            {"exit", worst}}}});
    return worst;
}

}  // namespace velmar
