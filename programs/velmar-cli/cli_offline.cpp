// edit and fields: a settings file changed at a desk, with no instrument
// attached, within the limits each field's description gives.

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include "core/settings/block_compare.h"
#include "core/settings/field_edit.h"
#include "files/offline_file.h"
#include "program/file_writing.h"
#include "programs/velmar-cli/cli_commands.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

int Fail(const QString& line, int code) {
    CliOutput::Error(line);
    return code;
}

// The command's own options; an exit code when it should stop, -1 to go on.
int ParseOptions(QCommandLineParser& p, const char* name, const QString& summary, const QStringList& arguments) {
    p.setApplicationDescription(summary);
    p.addHelpOption();
    p.addPositionalArgument("FÁJL", U("A beállításfájl."));
    if (!p.parse(QStringList{QString("velmar-cli %1").arg(name)} + arguments)) return Fail(p.errorText(), kExitUsage);
    if (p.isSet("help")) {
        std::fputs(p.helpText().toUtf8().constData(), stdout);
        return kExitDone;
    }
    if (p.positionalArguments().size() != 1)
        return Fail(U("használat: velmar-cli %1 FÁJL (velmar-cli %1 --help)").arg(name), kExitUsage);
    return -1;
}

// The file as it was saved or last edited; refused as load refuses it.
std::optional<OfflineFile> Open(const QString& path, int* exit) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *exit = Fail(U("a fájl nem olvasható: %1 (%2)").arg(path, f.errorString()), kExitFile);
        return std::nullopt;
    }
    QString error;
    std::optional<OfflineFile> file = ReadOfflineFile(f.read(4 << 20), &error);
    if (!file) *exit = Fail(U("a fájl nem tölthető be: ") + error, kExitFile);
    return file;
}

QJsonObject FieldJson(const SettingsBlockInfo& block, const BlockField& f) {
    const FieldType type = TypeOf(f);
    QJsonObject o{{"field", QString("%1.%2").arg(block.name, Q(f.name))},
                  {"caption", U(f.caption)},
                  {"block", U(block.caption)},
                  {"type", TypeName(type)},
                  {"text", Q(FieldValueText(f))},
                  {"limits", Q(FieldLimitsText(f))}};
    if (type == FieldType::Text) {
        o["value"] = Q(f.text);
        o["maxLength"] = int(f.width - 1);
        return o;
    }
    o["value"] = f.number;
    if (type == FieldType::Choice) {
        QJsonArray options;
        for (const FieldOption& c : FieldChoices(f)) options.append(QJsonObject{{"code", c.code}, {"text", U(c.text)}});
        o["options"] = options;
    } else if (type == FieldType::Number) {
        const auto [lo, hi] = FieldLimits(f);
        o["min"] = lo;
        o["max"] = hi;
        o["decimals"] = f.decimals;
    }
    if (f.meta.unit) o["unit"] = U(f.meta.unit);
    return o;
}

}  // namespace

int OfflineFields(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    if (int stop = ParseOptions(p, "fields", U("A fájl minden mezője értékével, határaival és választásaival."), args);
        stop >= 0)
        return stop;
    int exit = kExitDone;
    const std::optional<OfflineFile> file = Open(p.positionalArguments()[0], &exit);
    if (!file) return exit;
    std::vector<QStringList> table{{U("Mező"), U("Felirat"), U("Érték"), U("Megengedett")}};
    for (const SettingsBlockInfo& info : SettingsBlocks()) {
        const auto bytes = file->snapshot.blocks.find(info.name);
        if (bytes == file->snapshot.blocks.end()) continue;
        for (const BlockField& f : info.fields(bytes->second, ContextOf(file->snapshot))) {
            if (!ctx.out.Text()) {
                ctx.out.Record(FieldJson(info, f));
                continue;
            }
            table.push_back({QString("%1.%2").arg(info.name, Q(f.name)), U(f.caption),
                             Q(FieldValueText(f, LocaleDecimal())), Q(FieldLimitsText(f, LocaleDecimal()))});
        }
    }
    if (ctx.out.Text()) ctx.out.Table(table);
    return kExitDone;
}

namespace {

bool SamePath(const QString& a, const QString& b) {
    const QFileInfo x(a), y(b);
    return x.absoluteFilePath() == y.absoluteFilePath() ||
           (x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath());
}

}  // namespace

int OfflineEdit(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.addOption({"set",
                 U("Egy mező új értéke (többször is megadható). Szám, választás szövege vagy kódja, "
                   "igen/nem, szöveg; a lehetőségeket a velmar-cli fields FÁJL mutatja."),
                 U("BLOKK.MEZŐ=ÉRTÉK")});
    p.addOption({"output", U("Ide írja a szerkesztett fájlt; nélküle az eredetit írja felül, kérdés után."), "FÁJL"});
    p.addOption({"yes", U("Kérdés nélkül felülírja az eredeti fájlt.")});
    if (int stop = ParseOptions(p, "edit", U("Beállításfájl szerkesztése készülék nélkül."), args); stop >= 0)
        return stop;
    const QString path = p.positionalArguments()[0];
    if (p.values("set").isEmpty()) return Fail(U("legalább egy --set BLOKK.MEZŐ=ÉRTÉK kell"), kExitUsage);
    int exit = kExitDone;
    std::optional<OfflineFile> file = Open(path, &exit);
    if (!file) return exit;
    const SettingsSnapshot before = file->snapshot;
    // In the order given: a changed decimals field reads the scale after it.
    for (const QString& set : p.values("set")) {
        const qsizetype eq = set.indexOf('=');
        if (eq <= 0) return Fail(U("--set BLOKK.MEZŐ=ÉRTÉK alakú kell, nem „%1”").arg(set), kExitUsage);
        const QString why = SetFileField(file->snapshot, set.left(eq), set.mid(eq + 1));
        if (!why.isEmpty()) return Fail(why + U("; semmi sem íródott"), kExitFile);
    }
    const QString output = p.isSet("output") ? p.value("output") : path;
    if (SamePath(output, path) && !p.isSet("yes") &&
        !ctx.confirm(U("Felülírja az eredeti fájlt (%1)? [i/N] ").arg(path))) {
        CliOutput::Say(U("Semmi sem íródott."));
        return kExitDiffers;
    }
    QString error;
    if (!WriteFileWhole(output, WriteOfflineFile(*file, "velmar-cli", QDateTime::currentDateTime()), &error))
        return Fail(U("a fájl nem írható: %1 (%2)").arg(output, error), kExitFile);

    // Each side in the decimals it is in: a value whose decimals moved shows
    // what the instrument will make of its stored integer.
    const std::vector<FieldRow> rows =
        CompareBlocks(before.blocks, ContextOf(before), file->snapshot.blocks, ContextOf(file->snapshot));
    QJsonArray changed;
    std::vector<QStringList> table{{U("Blokk"), U("Mező"), U("Eredeti"), U("Új érték")}};
    int moved = 0;
    for (const FieldRow& r : rows) {
        if (!r.differs) continue;
        QJsonObject o{{"field", QString("%1.%2").arg(r.block->name, Q(r.mine.name))},
                      {"caption", U(r.mine.caption)},
                      {"before", Q(FieldValueText(r.mine))},
                      {"after", Q(FieldValueText(r.theirs))}};
        if (r.moved) o["moved"] = true;
        moved += r.moved;
        changed.append(o);
        table.push_back({U(r.block->caption), U(r.mine.caption), Q(FieldValueText(r.mine, LocaleDecimal())),
                         Q(FieldValueText(r.theirs, LocaleDecimal()))});
    }
    if (ctx.out.Text()) {
        ctx.out.Table(table);
        if (moved > 0)
            CliOutput::Say(U("%1 érték a tizedesjegyek változásával együtt mozdult: a készülék a tárolt egész "
                             "számokat megtartja.")
                               .arg(moved));
        CliOutput::Say(U("Elmentve: %1").arg(output));
    } else {
        ctx.out.Record({{"file", output}, {"changed", changed}});
    }
    return kExitDone;
}

}  // namespace velmar
