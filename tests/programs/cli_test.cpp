// velmar-cli as a script runs it: against the in-process instrument and
// against velmar-sim on a socket, with lost answers, error codes, an
// instrument gone in the middle of a load, and bad arguments.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/device/status_texts.h"
#include "tests/programs/cli_fixture.h"
#include "tests/support/pdf_text.h"
#include "tests/support/wait_for.h"

namespace velmar {
namespace {

TEST_F(Cli, BadArgumentsAreOneLineAndCodeTwo) {
    struct Case {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "hiányzik a parancs"},
        {{"--bogus", "info"}, "--bogus"},
        {{"frob"}, "frob"},
        {{"--device=sim", "status", "--count=x"}, "--count"},
        {{"--device=sim", "status", "--frequency=2"}, "frequency"},
        {{"--device=sim", "save"}, "save FÁJL"},
        {{"--device=floppy:a", "info"}, "floppy"},
        {{"--device=sim", "set-identity", "--type=330", "--serial=1", "--made=22-07"}, "--service"},
        {{"--service", "--device=sim", "set-identity", "--type=999", "--serial=1", "--made=22-07"}, "999"},
        {{"--service", "--device=sim", "set-identity", "--type=330", "--serial=1", "--made=22-13"}, "YY-MM"},
        {{"--service", "--device=sim", "set-identity", "--type=330", "--serial=next", "--made=22-07"}, "next"},
        {{"--service", "--device=sim", "set-identity", "--type=330", "--serial=1", "--made=22-07", "--out1=2"},
         "modul"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = Tool(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QByteArray(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(Tool({"--version"}).code, 0);
    const CliRun help = Tool({"load", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("--yes"));
}

TEST_F(Cli, HelpIsHungarianAndNamesTheCommand) {
    const CliRun usage = Tool({"--help"});
    EXPECT_EQ(usage.code, 0);
    EXPECT_TRUE(usage.out.contains("4 a fájl nem olvasható")) << usage.out.toStdString();
    for (const char* command : {"list", "info", "status", "save", "diff", "load", "defaults", "set-identity"}) {
        SCOPED_TRACE(command);
        const CliRun help = Tool({command, "--help"});
        EXPECT_EQ(help.code, 0);
        const QString out = QString::fromUtf8(help.out);
        EXPECT_TRUE(out.startsWith(QString::fromUtf8("Használat: velmar-cli [általános kapcsolók] %1").arg(command)))
            << help.out.toStdString();
        EXPECT_FALSE(out.contains(VELMAR_CLI_PATH)) << "the executable's path";
        // Qt's own words come from its Hungarian translation.
        EXPECT_TRUE(out.contains(QString::fromUtf8("Kapcsolók:"))) << help.out.toStdString();
        EXPECT_TRUE(out.contains(QString::fromUtf8("-h, --help  "))) << help.out.toStdString();
        EXPECT_FALSE(out.contains("Displays")) << help.out.toStdString();
    }
    EXPECT_TRUE(Tool({"save", "--help"}).out.contains("FÁJL"));
    // Qt's --help-all would run the command rather than show its help.
    const CliRun all = Tool({"--device=sim", "status", "--help-all"});
    EXPECT_EQ(all.code, 2);
    EXPECT_TRUE(all.out.isEmpty());
    EXPECT_TRUE(all.err.contains("Ismeretlen kapcsoló")) << all.err.toStdString();
}

TEST_F(Cli, GlobalOptionsAfterTheCommandAndInfoAsATable) {
    const CliRun info = Tool({"info", "--text", "--device=sim", "--in=1", "--out1=5", "--out2=3"});
    ASSERT_EQ(info.code, 0) << info.err.toStdString();
    const QStringList lines = QString::fromUtf8(info.out).trimmed().split('\n');
    for (const char* bad : {"{", "[", "\"", "deviceType"}) EXPECT_FALSE(info.out.contains(bad)) << bad;
    const QStringList expected[] = {
        {"Készülék:", "PX330 "},
        {"Típuskód:", "330"},
        {"Gyári szám:", "004711"},
        {"Gyártás ideje:", "2022.07."},
        {"Firmware:", "2022.07.21."},
        {"Bemeneti modul:", "PXAI (analóg U és I)"},
        {"1. kimeneti modul:", "PXRL (1 relé)"},
        {"2. kimeneti modul:", "PXAO (analóg U és I)"},
    };
    ASSERT_GE(lines.size(), int(std::size(expected)) + 3) << info.out.toStdString();
    // The values start in one column, the blocks' further lines too.
    const qsizetype column = lines[0].indexOf("PX330");
    for (qsizetype i = 0; i < qsizetype(std::size(expected)); ++i) {
        EXPECT_TRUE(lines[i].startsWith(expected[i][0])) << lines[i].toStdString();
        EXPECT_EQ(lines[i].indexOf(expected[i][1]), column) << lines[i].toStdString();
    }
    EXPECT_TRUE(lines[8].startsWith(QString::fromUtf8("Beállításblokkok:")));
    for (qsizetype i = 8; i < lines.size(); ++i) {
        EXPECT_FALSE(lines[i].at(column).isSpace()) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].left(column).endsWith("  ")) << lines[i].toStdString();
    }
    EXPECT_EQ(lines.size(), 8 + 3) << "three blocks";

    // Error bits and the global error code fill the last column; the record
    // tells them, and leaves out what is empty.
    const QStringList faulty{"--device=sim", "--error-bits=1", "--global-error=7"};
    const CliRun table = Tool(QStringList{"status", "--text"} + faulty);
    ASSERT_EQ(table.code, 0) << table.err.toStdString();
    const QString caption = QString::fromStdString(ErrorBitsText(1));
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(table.out).trimmed().endsWith(caption + QString::fromUtf8(", globális hibakód 7")))
        << table.out.toStdString();
    const QJsonObject record = Tool(QStringList{"status"} + faulty).Json();
    EXPECT_EQ(record["error"].toString(), caption);
    EXPECT_EQ(record["globalError"].toInt(), 7);
    const QJsonObject clean = Tool({"--device=sim", "status"}).Json();
    ASSERT_FALSE(clean.isEmpty());
    for (auto it = clean.begin(); it != clean.end(); ++it)
        EXPECT_NE(it.value().toString("x"), "") << it.key().toStdString() << " is empty";
    EXPECT_FALSE(clean.contains("error"));
    const double v = clean["range1Percent"].toDouble() * 100;
    EXPECT_NEAR(v, std::round(v), 1e-6) << "two decimals at most";
    EXPECT_FALSE(clean.contains("range2Percent")) << "no second value without a Modbus input";
}

TEST_F(Cli, AFileThatCannotBeAppliedEndsWithCodeFour) {
    const QStringList sim{"--device=sim", "--in=1", "--out1=5", "--out2=3"};
    ASSERT_EQ(Tool(sim + QStringList{"save", File("saved.json")}).code, 0);
    const QJsonObject saved = ReadJson(File("saved.json"));
    WriteJson(File("range.json"), WithField(saved, "analogInput", "scaleHigh", 1e9));
    QJsonObject fewer = saved;
    QJsonObject blocks = fewer["blocks"].toObject();
    blocks.remove("limit1");
    fewer["blocks"] = blocks;
    WriteJson(File("fewer.json"), fewer);
    QFile damaged(File("damaged.json"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QJsonDocument(saved).toJson().left(200));
    damaged.close();
    struct Case {
        const char* file;
        const char* message;
    } cases[] = {
        {"range.json", "scaleHigh"},
        {"fewer.json", "hiányzik"},
        {"damaged.json", "sérült"},
        {"missing.json", "nem olvasható"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const CliRun diff = Tool(sim + QStringList{"diff", File(c.file)});
        EXPECT_EQ(diff.code, 4);
        EXPECT_EQ(diff.err.count('\n'), 1) << diff.err.toStdString();
        EXPECT_TRUE(diff.err.contains(QByteArray(c.message))) << diff.err.toStdString();
        const CliRun load = Tool(sim + QStringList{"load", "--yes", File(c.file)});
        EXPECT_EQ(load.code, 4);
        EXPECT_TRUE(load.out.isEmpty());
    }
    // Nothing was written: the journal holds only what was found.
    QFile journal(dir.filePath("data/velmar/journal/PX330-004711.jsonl"));
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    EXPECT_EQ(journal.readAll().count("\"written\""), 0);
    QFile blocker(File("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const CliRun unwritable = Tool(sim + QStringList{"save", File("not-a-folder/saved.json")});
    EXPECT_EQ(unwritable.code, 4);
    EXPECT_TRUE(unwritable.err.contains(QByteArray("nem írható"))) << unwritable.err.toStdString();
}

// One reader for every command: a damaged or out-of-limits value is refused
// by each with code 4, in one line naming the field, and nothing is written.
TEST_F(Cli, EveryCommandRefusesADamagedValueAlike) {
    const QStringList sim{"--service", "--device=sim", "--in=1", "--out1=5", "--out2=3"};
    ASSERT_EQ(Tool(sim + QStringList{"save", File("saved.json")}).code, 0);
    const QJsonObject saved = ReadJson(File("saved.json"));
    struct Case {
        const char* what;
        const char* path;
        QJsonValue value;
        const char* named;
    } cases[] = {
        {"decimals not a whole number", "measuredDecimals", 2.5, "measuredDecimals"},
        {"a type beyond 16 bits", "instrument.deviceType", 65866, "instrument.deviceType"},
        {"a serial number with a letter", "instrument.serial", "0047x1", "instrument.serial"},
        {"a tag longer than the field", "blocks.settingsSet.fields.tagname", QString(35, 'T'), "settingsSet.tagname"},
        {"a limit beyond the dialog's editor", "blocks.limit1.fields.a", 5000, "limit1.a"},
        {"a time base below the dialog's minimum", "blocks.limit1.fields.timeBase", 0, "limit1.timeBase"},
        {"a choice not offered", "blocks.analogInput.fields.averageCount", 7, "analogInput.averageCount"},
        {"half a flag", "blocks.limit1.fields.hold", 0.5, "limit1.hold"},
        {"a decimals field not whole", "blocks.analogInput.fields.decimals", 1.5, "analogInput.decimals"},
        {"a field the block does not have", "blocks.analogInput.fields.scalehigh", 250, "analogInput.scalehigh"},
        {"a number as a text", "blocks.limit1.fields.a", "180", "limit1.a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteJson(File("bad.json"), With(saved, QString(c.path).split('.'), c.value));
        const QStringList commands[] = {
            {"fields", File("bad.json")},
            {"edit", File("bad.json"), "--set", "limit1.hold=1", "--output=" + File("out.json")},
            sim + QStringList{"diff", File("bad.json")},
            sim + QStringList{"load", "--yes", File("bad.json")},
        };
        for (const QStringList& command : commands) {
            SCOPED_TRACE(command.join(' ').toStdString());
            const CliRun r = Tool(command);
            EXPECT_EQ(r.code, 4);
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(c.named)) << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
        EXPECT_FALSE(QFile::exists(File("out.json")));
    }
    QFile journal(dir.filePath("data/velmar/journal/PX330-004711.jsonl"));
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    EXPECT_EQ(journal.readAll().count("\"written\""), 0) << "nothing reached the instrument";
}

// The three programs speak alike: the same version line, Hungarian help,
// a bad option in one Hungarian line with code 2.
TEST(ProgramTexts, TheThreeProgramsSpeakAlike) {
    auto run = [](const char* program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(30000)) << program;
        return std::tuple{p.exitCode(), QString::fromUtf8(test::StandardOutput(p)),
                          QString::fromUtf8(test::StandardError(p))};
    };
    const struct {
        const char* path;
        const char* name;
    } programs[] = {
        {VELMAR_SETUP_PATH, "velmar-setup"}, {VELMAR_SIM_PATH, "velmar-sim"}, {VELMAR_CLI_PATH, "velmar-cli"}};
    for (const auto& program : programs) {
        SCOPED_TRACE(program.name);
        const auto [versionCode, version, versionErr] = run(program.path, {"--version"});
        EXPECT_EQ(versionCode, 0);
        EXPECT_EQ(version, QString("%1 v2022.07.21.\n").arg(program.name));
        const auto [helpCode, help, helpErr] = run(program.path, {"--help"});
        EXPECT_EQ(helpCode, 0);
        EXPECT_TRUE(help.startsWith(QString::fromUtf8("Használat: %1 ").arg(program.name))) << help.toStdString();
        for (const char* word : {"KÓD", "ÚTVONAL", "GÉP:PORT"})
            EXPECT_TRUE(help.contains(QString::fromUtf8(word))) << word;
        for (const char* english : {"Usage", "PATH", "HOST", "CODE", "this text"})
            EXPECT_FALSE(help.contains(english)) << english;
        const auto [badCode, badOut, bad] = run(program.path, {"--bogus"});
        EXPECT_EQ(badCode, 2);
        EXPECT_EQ(bad, QString::fromUtf8("%1: ismeretlen kapcsoló: --bogus (%1 --help)\n").arg(program.name));
    }
}

TEST_F(Cli, InProcessInstrument) {
    const QStringList sim{"--device=sim", "--in=1", "--out1=5", "--out2=3"};
    const CliRun info = Tool(sim + QStringList{"info"});
    ASSERT_EQ(info.code, 0) << info.err.toStdString();
    EXPECT_EQ(info.Json()["deviceType"].toInt(), 330);
    EXPECT_EQ(info.Json()["output1"].toObject()["name"].toString(), QString::fromUtf8("PXRL (1 relé)"));
    EXPECT_EQ(info.Json()["blocks"].toArray().size(), 3);

    // A count watches for that many records, with --watch or without it.
    for (const QStringList& options : {QStringList{"--watch", "--count=3"}, QStringList{"--count=3"}}) {
        const CliRun watch = Tool(sim + QStringList{"status", "--interval=20"} + options);
        ASSERT_EQ(watch.code, 0);
        const QList<QByteArray> lines = watch.out.trimmed().split('\n');
        ASSERT_EQ(lines.size(), 3) << options.join(' ').toStdString();
        for (const QByteArray& line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            EXPECT_EQ(o["decimals"].toInt(), 2);
            EXPECT_TRUE(o["relays"].isArray());
            EXPECT_GT(o["range1Percent"].toDouble(), 0.0);
            // The relay in slot 1 has no output value; the analog output in slot 2 gives its own.
            EXPECT_FALSE(o.contains("analogOutput1"));
            EXPECT_EQ(o["analogOutput2"].toObject()["unit"].toString(), "mA") << line.toStdString();
            EXPECT_TRUE(o["analogOutput2"].toObject()["value"].isDouble());
        }
    }
    // For a person: the value with the instrument's decimals, percentages with two.
    const CliRun text = Tool(QStringList{"--text"} + sim + QStringList{"status"});
    const QStringList rows = QString::fromUtf8(text.out).trimmed().split('\n');
    ASSERT_EQ(rows.size(), 2) << text.out.toStdString();
    EXPECT_TRUE(rows[0].startsWith(QString::fromUtf8("Idő"))) << rows[0].toStdString();
    static const QRegularExpression row(QString::fromUtf8(
        R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} +-?\d+\.\d\d +-?\d+\.\d\d % +- +\d+\.\d{3} mA +(be|ki) +(be|ki) +nincs$)"));
    EXPECT_TRUE(row.match(rows[1]).hasMatch()) << rows[1].toStdString();

    ASSERT_EQ(Tool(sim + QStringList{"save", File("a.json")}).code, 0);
    EXPECT_EQ(ReadJson(File("a.json"))["blocks"].toObject().size(), 3);
    // An existing file is kept, unless --force says otherwise.
    QFile kept(File("a.json"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("kept");
    kept.close();
    const CliRun again = Tool(sim + QStringList{"save", File("a.json")});
    EXPECT_EQ(again.code, 4);
    EXPECT_TRUE(again.err.contains("--force")) << again.err.toStdString();
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "kept");
    kept.close();
    ASSERT_EQ(Tool(sim + QStringList{"save", "--force", File("a.json")}).code, 0);
    EXPECT_EQ(ReadJson(File("a.json"))["blocks"].toObject().size(), 3);
    EXPECT_EQ(Tool(sim + QStringList{"diff", File("a.json")}).code, 0);
    EXPECT_EQ(Tool(sim + QStringList{"defaults"}).code, 0) << "a fresh instrument holds its factory values";
    const CliRun other = Tool({"--device=sim:530", "diff", File("a.json")});
    EXPECT_EQ(other.code, 4);
    EXPECT_TRUE(other.err.contains("330")) << other.err.toStdString();
}

// A person reads the differences: the choices by their text, numbers with
// their unit, in columns.
TEST_F(Cli, DifferencesNameTheChoices) {
    const QStringList sim{"--device=sim", "--in=1", "--out1=5"};
    ASSERT_EQ(Tool(sim + QStringList{"save", File("saved.json")}).code, 0);
    QJsonObject edited = WithField(ReadJson(File("saved.json")), "analogInput", "inputType", 2);
    WriteJson(File("edited.json"), WithField(edited, "limit1", "timeBase", 90));

    const CliRun json = Tool(sim + QStringList{"diff", File("edited.json")});
    ASSERT_EQ(json.code, 1) << json.err.toStdString();
    std::map<QString, std::pair<QString, QString>> shown;
    for (const QJsonValue& d : json.Json()["differences"].toArray())
        shown[d["field"].toString()] = {d["instrument"].toString(), d["other"].toString()};
    EXPECT_EQ(shown["inputType"],
              std::make_pair(QString::fromUtf8("Áram 4-20 mA"), QString::fromUtf8("Feszültség 0-10 V")));
    EXPECT_EQ(shown["timeBase"], std::make_pair(QString("60 s"), QString("90 s")));

    const CliRun text = Tool(QStringList{"--text"} + sim + QStringList{"diff", File("edited.json")});
    const QList<QByteArray> lines = text.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << text.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(lines[1]).contains(QString::fromUtf8("| Áram 4-20 mA | Feszültség 0-10 V")))
        << text.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(lines[0]).lastIndexOf('|'), QString::fromUtf8(lines[2]).lastIndexOf('|'))
        << "one column under another";
}

// --text for a person in Hungary: decimal commas, blocks by their captions,
// the differences once, lists as lists and no JSON.
TEST_F(Cli, TextReadsAsAPersonReadsIt) {
    const QStringList sim{"--device=sim", "--in=1", "--out1=5", "--out2=3"};
    ASSERT_EQ(Tool(sim + QStringList{"save", File("saved.json")}).code, 0);
    WriteJson(File("edited.json"), WithField(ReadJson(File("saved.json")), "limit1", "a", 50));
    locale = "hu_HU.UTF-8";
    const CliRun load = Tool(QStringList{"--text"} + sim + QStringList{"load", "--yes", File("edited.json")});
    ASSERT_EQ(load.code, 0) << load.err.toStdString();
    const QString out = QString::fromUtf8(load.out), point = DecimalPoint();
    EXPECT_TRUE(out.contains(QString::fromUtf8("| A érték | 80,00    | 50,00").replace(',', point)))
        << out.toStdString();
    EXPECT_EQ(out.count("50" + point + "00"), 1) << "the differences once";
    static const QRegularExpression verified(QString::fromUtf8("^Visszaolvasva: +Határérték kimenet 1 \\(PXRL\\)$"),
                                             QRegularExpression::MultilineOption);
    EXPECT_TRUE(verified.match(out).hasMatch()) << out.toStdString();
    for (const char* json : {"{", "[", "limit1"})
        EXPECT_FALSE(out.contains(json)) << json << " in " << out.toStdString();
}

TEST_F(Cli, LoadShowsAsksWritesAndVerifies) {
    StartSim({"--in=1", "--out1=5", "--out2=3"});
    ASSERT_EQ(Tool({address, "save", File("saved.json")}).code, 0);
    const QJsonObject saved = ReadJson(File("saved.json"));
    WriteJson(File("edited.json"), WithField(saved, "analogInput", "scaleHigh", 55.5));

    const CliRun diff = Tool({address, "diff", File("edited.json")});
    EXPECT_EQ(diff.code, 1);
    const QJsonArray differences = diff.Json()["differences"].toArray();
    ASSERT_EQ(differences.size(), 1);
    EXPECT_EQ(differences[0].toObject()["field"].toString(), "scaleHigh");
    EXPECT_EQ(differences[0].toObject()["other"].toString(), "55.50");

    const CliRun refused = Tool({address, "load", File("edited.json")}, "n\n");
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("Semmi sem")) << refused.err.toStdString();
    EXPECT_EQ(Tool({address, "diff", File("edited.json")}).code, 1) << "nothing was written";

    const CliRun asked = Tool({address, "load", File("edited.json")}, "i\n");
    EXPECT_EQ(asked.code, 0) << asked.err.toStdString();
    EXPECT_EQ(asked.Json()["verified"].toArray(), QJsonArray{"analogInput"});
    EXPECT_EQ(Tool({address, "diff", File("edited.json")}).code, 0);
    EXPECT_EQ(Tool({address, "defaults"}).code, 1) << "changed from the factory value";

    EXPECT_EQ(Tool({address, "load", "--yes", File("saved.json")}).code, 0);
    EXPECT_EQ(Tool({address, "diff", File("saved.json")}).code, 0);
    // The journal tells both writes, with the block before and after.
    const QStringList journal = QDir(dir.filePath("data/velmar/journal")).entryList(QDir::Files);
    ASSERT_EQ(journal, QStringList{"PX330-004711.jsonl"});
    QFile f(dir.filePath("data/velmar/journal/PX330-004711.jsonl"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\"written\""), 2);
}

TEST_F(Cli, LostAnswersAreAskedAgainAndErrorCodesEndTheRun) {
    StartSim({"--in=1", "--out1=5", "--out2=3", "--drop-every=4"});
    const CliRun save = Tool({address, "save", File("a.json")});
    EXPECT_EQ(save.code, 0) << save.err.toStdString();
    sim.Kill();
    StartSim({"--error=5"});
    const CliRun refused = Tool({address, "info"});
    EXPECT_EQ(refused.code, 3);
    EXPECT_TRUE(refused.err.contains("hibakód 5")) << refused.err.toStdString();
    sim.Kill();
    const CliRun gone = Tool({address, "info"});
    EXPECT_EQ(gone.code, 3);
    EXPECT_TRUE(gone.err.contains("nincs csatlakoztatott")) << gone.err.toStdString();
}

TEST_F(Cli, AnInstrumentGoneDuringLoadLeavesTheJournalToTell) {
    StartSim({"--in=1", "--out1=5", "--out2=3"});
    ASSERT_EQ(Tool({address, "save", File("saved.json")}).code, 0);
    QJsonObject edited = ReadJson(File("saved.json"));
    edited = WithField(edited, "analogInput", "scaleHigh", 55.5);
    edited = WithField(edited, "analogOutput2", "scaleHigh", 12.5);
    edited = WithField(edited, "limit1", "a", 1.5);
    WriteJson(File("edited.json"), edited);
    sim.Kill();
    StartSim({"--in=1", "--out1=5", "--out2=3", "--latency-ms=60"});

    const QString journal = dir.filePath("data/velmar/journal/PX330-004711.jsonl");
    QProcess load;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    load.setProcessEnvironment(env);
    load.start(VELMAR_CLI_PATH, {address, "load", "--yes", File("edited.json")});
    auto written = [&] {
        QFile f(journal);
        return f.open(QIODevice::ReadOnly) ? f.readAll().count("\"written\"") : 0;
    };
    WAIT_FOR(written() >= 1, 20000);
    sim.Kill();
    ASSERT_TRUE(load.waitForFinished(20000));
    EXPECT_EQ(load.exitCode(), 3);
    const QByteArray err = test::StandardError(load);
    EXPECT_TRUE(err.contains("napló")) << err.toStdString();
    EXPECT_GE(written(), 1);
    EXPECT_LT(written(), 3) << "the rest was not written";
}

TEST_F(Cli, SetIdentityAndTheNextSerialNumber) {
    StartSim({});
    const CliRun first =
        Tool({"--service", address, "set-identity", "--type=530", "--serial=100", "--made=23-01", "--in=1"});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_TRUE(first.Json()["verified"].toBool());
    const CliRun next =
        Tool({"--service", address, "set-identity", "--type=530", "--serial=next", "--made=23-01", "--in=1"});
    ASSERT_EQ(next.code, 0) << next.err.toStdString();
    const QJsonObject info = Tool({address, "info"}).Json();
    EXPECT_EQ(info["serial"].toString(), "000101");
    EXPECT_EQ(info["deviceType"].toInt(), 530);
    EXPECT_EQ(info["made"].toString(), "23-01");
}

// A template prepared at a desk: fields listed with what they take, edited
// with --set within their limits, and loaded on site like a saved file.
TEST_F(Cli, AFileEditedWithoutAnInstrumentLoadsLikeASavedOne) {
    StartSim({"--in=1", "--out1=5", "--out2=3"});
    ASSERT_EQ(Tool({"--service", address, "save", File("saved.json")}).code, 0);  // with the texts of the whole set
    ASSERT_EQ(Tool({address, "save", File("plain.json")}).code, 0);
    const QByteArray original = [&] {
        QFile f(File("saved.json"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    sim.Kill();  // nothing below needs an instrument but the load

    const CliRun fields = Tool({"fields", File("saved.json")});
    ASSERT_EQ(fields.code, 0) << fields.err.toStdString();
    std::map<QString, QJsonObject> listed;
    for (const QByteArray& line : fields.out.trimmed().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        listed[o["field"].toString()] = o;
    }
    EXPECT_EQ(listed["analogInput.scaleHigh"]["type"].toString(), "number");
    EXPECT_EQ(listed["analogInput.scaleHigh"]["decimals"].toInt(), 2);
    EXPECT_EQ(listed["limit1.timeBase"]["max"].toDouble(), 65535);
    EXPECT_EQ(listed["limit1.timeBase"]["unit"].toString(), "s");
    EXPECT_EQ(listed["analogInput.inputType"]["options"].toArray().size(), 5);
    EXPECT_EQ(listed["limit1.hold"]["type"].toString(), "flag");
    EXPECT_EQ(listed["settingsSet.tagname"]["maxLength"].toInt(), 21);
    const CliRun table = Tool({"--text", "fields", File("saved.json")});
    EXPECT_TRUE(table.out.contains(QString::fromUtf8("limit1.timeBase").toUtf8())) << table.out.toStdString();

    struct Case {
        const char* set;
        int code;
        const char* message;  // part of the error line; nullptr when taken
    } cases[] = {
        {"analogInput.scaleHigh=250,5", 0, nullptr},
        {"analogInput.scaleHigh=1.234", 4, "legfeljebb 2 tizedesjegy"},
        {"limit1.timeBase=70000", 4, "(2 … 65535 s)"},
        {"analogInput.inputType=Feszültség 0-10 V", 0, nullptr},
        {"analogInput.inputType=9", 4, "választható: Áram 4-20 mA (0)"},
        {"limit1.hold=igen", 0, nullptr},
        {"limit1.hold=talán", 4, "igen vagy nem"},
        {"settingsSet.tagname=Tartály 7", 0, nullptr},
        {"settingsSet.tagname=Tartály a mosóüzemben!", 4, "legfeljebb 21 karakter"},
        {"analogInput.bogus=1", 4, "scaleHigh"},
        {"teleport.a=1", 4, "analogInput"},
        {"analogInput.scaleHigh", 2, "BLOKK.MEZŐ=ÉRTÉK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        QFile::remove(File("out.json"));
        const CliRun r =
            Tool({"edit", File("saved.json"), "--set", QString::fromUtf8(c.set), "--output=" + File("out.json")});
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        if (c.message) {
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
            if (c.code == 4)
                EXPECT_TRUE(r.err.contains(QByteArray(c.set).left(QByteArray(c.set).indexOf('='))))
                    << "names the field";
            EXPECT_FALSE(QFile::exists(File("out.json")));
        } else {
            EXPECT_EQ(r.Json()["changed"].toArray().size(), 1) << r.out.toStdString();
            EXPECT_TRUE(QFile::exists(File("out.json")));
        }
    }
    EXPECT_EQ(Tool({"edit", File("saved.json")}).code, 2) << "nothing to set";
    EXPECT_EQ(Tool({"edit", File("nowhere.json"), "--set", "limit1.a=1"}).code, 4) << "a file that cannot be read";

    // Without --output the original is overwritten only when the answer is yes.
    const CliRun declined = Tool({"edit", File("saved.json"), "--set", "limit1.a=12"}, "n\n");
    EXPECT_EQ(declined.code, 1);
    QFile f(File("saved.json"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), original);
    f.close();

    // Several fields at once, in order: fewer decimals first, then the scale in them.
    const CliRun edit =
        Tool({"edit", File("plain.json"), "--set", "analogInput.decimals=1", "--set", "analogInput.scaleHigh=250.5",
              "--set", "limit1.hold=1", "--set", "analogInput.inputType=2", "--output=" + File("template.json")});
    ASSERT_EQ(edit.code, 0) << edit.err.toStdString();
    // The limits and the output scale keep their integers: with one decimal
    // fewer they read ten times larger, and the table says so.
    std::map<QString, QJsonObject> changed;
    for (const QJsonValue& v : edit.Json()["changed"].toArray()) changed[v["field"].toString()] = v.toObject();
    QStringList moved;
    for (const auto& [field, o] : changed)
        if (o["moved"].toBool()) moved << field;
    EXPECT_EQ(changed.size() - std::size_t(moved.size()), 4u) << edit.out.toStdString();
    EXPECT_EQ(moved.join(' '), "analogOutput2.scaleHigh limit1.a limit1.b limit1.hysteresis");
    EXPECT_EQ(changed["limit1.b"]["before"].toString() + " " + changed["limit1.b"]["after"].toString(), "90.00 900.0");
    const QJsonObject saved = ReadJson(File("plain.json")), edited = ReadJson(File("template.json"));
    EXPECT_EQ(edited["time"], saved["time"]);
    EXPECT_TRUE(QDateTime::fromString(edited["editedOffline"].toString(), Qt::ISODateWithMs).isValid())
        << edited["editedOffline"].toString().toStdString();

    StartSim({"--in=1", "--out1=5", "--out2=3"});
    const CliRun load = Tool({address, "load", "--yes", File("template.json")});
    ASSERT_EQ(load.code, 0) << load.err.toStdString();
    EXPECT_EQ(load.Json()["verified"].toArray().size(), 2) << load.out.toStdString();
    EXPECT_EQ(load.Json()["mismatched"].toArray(), QJsonArray{});
    const CliRun after = Tool({address, "diff", File("template.json")});
    EXPECT_EQ(after.code, 0) << after.out.toStdString();
}

}  // namespace
}  // namespace velmar

namespace velmar {
namespace {

// The report from the shell: as found from the journal of the earlier
// commands, as left read now; without a journal it says so.
TEST_F(Cli, ReportTakesAsFoundFromTheJournalAndAsLeftFromTheInstrument) {
    StartSim({"--in=1", "--out1=5", "--out2=3"});
    const CliRun bare = Tool({address, "report", File("bare.pdf"), QString::fromUtf8("--technician=Kovács Árpád")});
    ASSERT_EQ(bare.code, 0) << bare.err.toStdString();
    EXPECT_FALSE(bare.Json()["asFound"].toBool());
    if (test::HasPdfTools()) {
        const QString bareText = test::PdfText(File("bare.pdf"));
        EXPECT_TRUE(bareText.contains(QString::fromUtf8("nincs napló"))) << bareText.toStdString();
        EXPECT_FALSE(bareText.contains("Megtalált"));
    }

    ASSERT_EQ(Tool({address, "save", File("saved.json")}).code, 0);
    WriteJson(File("edited.json"), WithField(ReadJson(File("saved.json")), "analogInput", "scaleHigh", 55.5));
    ASSERT_EQ(Tool({address, "load", "--yes", File("edited.json")}).code, 0);
    const CliRun report = Tool({address, "report", File("report.pdf"), QString::fromUtf8("--technician=Kovács Árpád"),
                                QString::fromUtf8("--site=Szivattyúház T-12"), "--note=Első"});
    ASSERT_EQ(report.code, 0) << report.err.toStdString();
    EXPECT_EQ(report.Json()["file"].toString(), File("report.pdf"));
    EXPECT_EQ(report.Json()["changedFields"].toInt(), 1);
    VELMAR_SKIP_WITHOUT_PDF_TOOLS();
    const QString text = test::PdfText(File("report.pdf"));
    for (const char* expected : {"004711", "PX330", "Kovács Árpád", "Szivattyúház T-12", "Megtalált", "Átadott"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {QString::fromUtf8("Skála felső számérték"), "100,00", "55,50"}).isEmpty())
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("004711 +1 ?/ ?2"))) << "the serial and the page on each page";

    // The font travels with the document, so every Hungarian letter prints anywhere.
    EXPECT_FALSE(test::LineWith(test::PdfFonts(File("report.pdf")), {"DejaVuSans", "yes"}).isEmpty());

    // In service mode the whole settings set and the calibration constants too.
    const CliRun service = Tool({"--service", address, "report", File("service.pdf")});
    ASSERT_EQ(service.code, 0) << service.err.toStdString();
    const QString serviceText = test::PdfText(File("service.pdf"));
    for (const char* expected : {"Teljes beállításkészlet", "Kalibrációs állandók", "Kalibrálás 20 mA"})
        EXPECT_TRUE(serviceText.contains(QString::fromUtf8(expected))) << expected << "\n" << serviceText.toStdString();

    // A file that cannot be written: the code of a file, said in one line.
    QFile blocker(File("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const CliRun refused = Tool({address, "report", File("not-a-folder/report.pdf")});
    EXPECT_EQ(refused.code, 4);
    EXPECT_TRUE(refused.err.contains(QString::fromUtf8("nem írható").toUtf8())) << refused.err.toStdString();
    EXPECT_EQ(Tool({address, "report"}).code, 2);
}

// The record's fields from the command line, as a production line prints
// them: the job, the reference, the conditions, a point whose reading the
// line took itself and one the tool measures, a relay test; the JSON twin
// beside the PDF and on the output.
TEST_F(Cli, ReportTakesTheRecordsFieldsAndWritesItsTwin) {
    StartSim({"--in=1", "--out1=5", "--out2=3"});
    const CliRun run =
        Tool({address, "report", File("line.pdf"), "--tag=FT-101", QString::fromUtf8("--customer=Dunai Vízmű"),
              "--order=MR-118", "--reference=Fluke 754;4471022;2020-01-31", "--ambient=23,5", "--humidity=45",
              "--point=12;12.01;50.02", "--point=20;", "--relay=1;80.1;78.6", "--json"});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("lejárt").toUtf8())) << run.err.toStdString();
    // The sweeping signal of the virtual instrument is not steady over two seconds.
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("nem állandó").toUtf8())) << run.err.toStdString();
    EXPECT_EQ(run.Json()["json"].toString(), File("line.json"));
    EXPECT_TRUE(run.Json()["number"].toString().startsWith("PX330-004711-"));
    const QJsonObject twin = ReadJson(File("line.json"));
    EXPECT_EQ(run.Json()["report"].toObject(), twin) << "the same record on the output";
    EXPECT_EQ(twin["tag"].toString(), "FT-101");
    EXPECT_TRUE(twin["reference"]["expired"].toBool());
    const QJsonArray points = twin["checks"]["points"].toArray();
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0]["reading"].toObject(),
              (QJsonObject{{"value", 50.02}, {"unit", twin["checks"]["span"]["unit"]}}));
    EXPECT_EQ(points[0]["expectedOutput"].toObject(), (QJsonObject{{"value", 12}, {"unit", "mA"}}));
    EXPECT_TRUE(points[0]["verdict"]["passes"].toBool());
    EXPECT_FALSE(points[1]["steady"].toBool());
    EXPECT_FALSE(points[1].toObject().contains("output")) << "no output measured at the second point";
    EXPECT_EQ(twin["relays"][0]["switchedAt"]["value"].toDouble(), 80.1);
    const QString text = test::PdfText(File("line.pdf"));
    for (const QStringList& line :
         {QStringList{"FT-101"}, {"Fluke 754"}, {QString::fromUtf8("23,5 °C")}, {"12,000 mA", "12,010 mA"}})
        EXPECT_FALSE(test::LineWith(text, line).isEmpty()) << line.join(" | ").toStdString() << "\n"
                                                           << text.toStdString();

    for (const char* bad : {"--point=abc", "--point=1;2;3;4", "--reference=Fluke;1;31.01.2020", "--relay=3;1;2",
                            "--ambient=meleg", "--tolerance=0"}) {
        const CliRun refused = Tool({address, "report", File("bad.pdf"), bad});
        EXPECT_EQ(refused.code, 2) << bad;
        EXPECT_FALSE(refused.err.isEmpty()) << bad;
    }
    EXPECT_FALSE(QFile::exists(File("bad.pdf")));
}

}  // namespace
}  // namespace velmar
