// velmar-cli as a script runs it: against the in-process instrument and
// against velmar-sim on a socket, with lost answers, error codes, an
// instrument gone in the middle of a load, and bad arguments.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/pdf_text.h"
#include "tests/sim_process.h"
#include "tests/wait_for.h"

namespace velmar {
namespace {

using test::SimProcess;

struct CliRun {
    int code = -1;
    QByteArray out, err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out.split('\n').value(0)).object(); }
};

class Cli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SimProcess sim;
    QString address;  // --device=… of the socket instrument

    QString File(const char* name) { return dir.filePath(name); }

    // Runs velmar-cli to its end; its data folder is the test's own.
    CliRun Tool(const QStringList& args, const QByteArray& input = {}, QProcess* keep = nullptr) {
        QProcess local;
        QProcess& p = keep ? *keep : local;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        p.setProcessEnvironment(env);
        p.start(VELMAR_CLI_PATH, args);
        p.write(input);
        p.closeWriteChannel();
        CliRun r;
        if (!p.waitForFinished(30000)) return r;
        r.code = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
    void StartSim(QStringList flags) {
        address = "unix:" + File("velmar.sock");
        ASSERT_FALSE(sim.Start(QStringList{"--listen=" + address} + flags).isEmpty()) << sim.Output().toStdString();
        address = "--device=" + address;
    }
    QJsonObject ReadJson(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    void WriteJson(const QString& path, const QJsonObject& o) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QJsonDocument(o).toJson());
    }
    // The file with one field of one block changed.
    QJsonObject WithField(QJsonObject o, const char* block, const char* field, double value) {
        QJsonObject blocks = o["blocks"].toObject(), b = blocks[block].toObject(), f = b["fields"].toObject();
        f[field] = value;
        b["fields"] = f;
        blocks[block] = b;
        o["blocks"] = blocks;
        return o;
    }
};

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
        {{"--device=sim", "save"}, "save FILE"},
        {{"--device=floppy:a", "info"}, "floppy"},
        {{"--device=sim", "set-identity", "--type=330", "--serial=1", "--made=22-07"}, "--service"},
        {{"--service", "--device=sim", "set-identity", "--type=999", "--serial=1", "--made=22-07"}, "999"},
        {{"--service", "--device=sim", "set-identity", "--type=330", "--serial=1", "--made=22-13"}, "YY-MM"},
        {{"--service", "--device=sim", "set-identity", "--type=330", "--serial=next", "--made=22-07"}, "next"},
        {{"--service", "--device=sim", "set-identity", "--type=330", "--serial=1", "--made=22-07", "--out1=2"}, "modul"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = Tool(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(Tool({"--version"}).code, 0);
    const CliRun help = Tool({"load", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("--yes"));
}

TEST_F(Cli, InProcessInstrument) {
    const QStringList sim{"--device=sim", "--in=1", "--out1=5", "--out2=3"};
    const CliRun info = Tool(sim + QStringList{"info"});
    ASSERT_EQ(info.code, 0) << info.err.toStdString();
    EXPECT_EQ(info.Json()["deviceType"].toInt(), 330);
    EXPECT_EQ(info.Json()["output1"].toObject()["name"].toString(), QString::fromUtf8("PXRL (1 relé)"));
    EXPECT_EQ(info.Json()["blocks"].toArray().size(), 3);

    const CliRun watch = Tool(sim + QStringList{"status", "--watch", "--count=3", "--interval=20"});
    ASSERT_EQ(watch.code, 0);
    const QList<QByteArray> lines = watch.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    for (const QByteArray& line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        EXPECT_EQ(o["decimals"].toInt(), 2);
        EXPECT_TRUE(o["relays"].isArray());
        EXPECT_GT(o["output1Percent"].toDouble(), 0.0);
    }
    const CliRun text = Tool(QStringList{"--text"} + sim + QStringList{"status"});
    EXPECT_TRUE(text.out.startsWith("decimals: 2")) << text.out.toStdString();

    ASSERT_EQ(Tool(sim + QStringList{"save", File("a.json")}).code, 0);
    EXPECT_EQ(ReadJson(File("a.json"))["blocks"].toObject().size(), 3);
    EXPECT_EQ(Tool(sim + QStringList{"diff", File("a.json")}).code, 0);
    EXPECT_EQ(Tool(sim + QStringList{"defaults"}).code, 0) << "a fresh instrument holds its factory values";
    const CliRun other = Tool({"--device=sim:530", "diff", File("a.json")});
    EXPECT_EQ(other.code, 2);
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
    EXPECT_EQ(shown["inputType"], std::make_pair(QString::fromUtf8("Áram 4-20 mA"), QString::fromUtf8("Feszültség 0-10 V")));
    EXPECT_EQ(shown["timeBase"], std::make_pair(QString("60 s"), QString("90 s")));

    const CliRun text = Tool(QStringList{"--text"} + sim + QStringList{"diff", File("edited.json")});
    const QList<QByteArray> lines = text.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << text.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(lines[1]).contains(QString::fromUtf8("| Áram 4-20 mA | Feszültség 0-10 V")))
        << text.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(lines[0]).lastIndexOf('|'), QString::fromUtf8(lines[2]).lastIndexOf('|'))
        << "one column under another";
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
    const QByteArray err = load.readAllStandardError();
    EXPECT_TRUE(err.contains("napló")) << err.toStdString();
    EXPECT_GE(written(), 1);
    EXPECT_LT(written(), 3) << "the rest was not written";
}

TEST_F(Cli, SetIdentityAndTheNextSerialNumber) {
    StartSim({});
    const CliRun first = Tool({"--service", address, "set-identity", "--type=530", "--serial=100", "--made=23-01", "--in=1"});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_TRUE(first.Json()["verified"].toBool());
    const CliRun next = Tool({"--service", address, "set-identity", "--type=530", "--serial=next", "--made=23-01", "--in=1"});
    ASSERT_EQ(next.code, 0) << next.err.toStdString();
    const QJsonObject info = Tool({address, "info"}).Json();
    EXPECT_EQ(info["serial"].toString(), "000101");
    EXPECT_EQ(info["deviceType"].toInt(), 530);
    EXPECT_EQ(info["made"].toString(), "23-01");
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
    const QString bareText = test::PdfText(File("bare.pdf"));
    EXPECT_TRUE(bareText.contains(QString::fromUtf8("nincs napló"))) << bareText.toStdString();
    EXPECT_FALSE(bareText.contains("Megtalált"));

    ASSERT_EQ(Tool({address, "save", File("saved.json")}).code, 0);
    WriteJson(File("edited.json"), WithField(ReadJson(File("saved.json")), "analogInput", "scaleHigh", 55.5));
    ASSERT_EQ(Tool({address, "load", "--yes", File("edited.json")}).code, 0);
    const CliRun report = Tool({address, "report", File("report.pdf"), QString::fromUtf8("--technician=Kovács Árpád"),
                                QString::fromUtf8("--site=Szivattyúház T-12"), "--note=Első"});
    ASSERT_EQ(report.code, 0) << report.err.toStdString();
    EXPECT_EQ(report.Json()["file"].toString(), File("report.pdf"));
    EXPECT_EQ(report.Json()["changedFields"].toInt(), 1);
    const QString text = test::PdfText(File("report.pdf"));
    for (const char* expected : {"004711", "PX330", "Kovács Árpád", "Szivattyúház T-12", "Megtalált", "Átadott"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {QString::fromUtf8("Skála felső számérték"), "100,00", "55,50"}).isEmpty())
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("004711 +1 ?/ ?2"))) << "the serial and the page on each page";

    // The font travels with the document, so every Hungarian letter prints anywhere.
    QProcess fonts;
    fonts.start("pdffonts", {File("report.pdf")});
    ASSERT_TRUE(fonts.waitForFinished(20000));
    EXPECT_FALSE(test::LineWith(QString::fromUtf8(fonts.readAllStandardOutput()), {"DejaVuSans", "yes"}).isEmpty());

    // In service mode the whole settings set and the calibration constants too.
    const CliRun service = Tool({"--service", address, "report", File("service.pdf")});
    ASSERT_EQ(service.code, 0) << service.err.toStdString();
    const QString serviceText = test::PdfText(File("service.pdf"));
    for (const char* expected : {"Teljes beállításkészlet", "Kalibrációs állandók", "Kalibrálás 20 mA"})
        EXPECT_TRUE(serviceText.contains(QString::fromUtf8(expected))) << expected << "\n" << serviceText.toStdString();

    // A file that cannot be written: a usage-free failure, said in one line.
    QFile blocker(File("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const CliRun refused = Tool({address, "report", File("not-a-folder/report.pdf")});
    EXPECT_EQ(refused.code, 3);
    EXPECT_TRUE(refused.err.contains(QString::fromUtf8("nem írható").toUtf8())) << refused.err.toStdString();
    EXPECT_EQ(Tool({address, "report"}).code, 2);
}

}  // namespace
}  // namespace velmar
