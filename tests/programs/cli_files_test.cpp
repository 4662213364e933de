// The files velmar-cli writes: whole or not at all, in folders it makes,
// never one over another of the same run; the journal and the station's
// serial number shared by runs at the same time; the watch's record count.

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <functional>
#include <set>

#include "files/settings_journal.h"
#include "tests/programs/cli_fixture.h"

namespace velmar {
namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

void Put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const QStringList kSim{"--device=sim", "--in=1", "--out1=5", "--out2=3"};

// Every command that writes a file, on a full disk, where its folder is a
// file (no folder can be made there, even for root) and where its folder
// does not exist yet.
TEST_F(Cli, EveryFileIsWrittenWholeOrNotAtAll) {
    ASSERT_EQ(Tool(kSim + QStringList{"save", File("template.json")}).code, 0);
    const QByteArray original = Contents(File("template.json"));
    const QByteArray station = R"({"lastSerial": 500})";
    struct WritePath {
        const char* name;
        const char* file;  // beneath the case's folder, which is the tool's data folder too
        QByteArray old;  // what the file held before
        bool inPlace;  // edits a file that must be there
        std::function<QStringList(const QString& target)> args;
    } paths[] = {
        {"save", "a.json", "old", false,
         [](const QString& t) {
             return kSim + QStringList{"save", t};
         }},
        {"edit --output", "a.json", "old", false,
         [&](const QString& t) {
             return QStringList{"edit", File("template.json"), "--set", "limit1.a=12", "--output=" + t};
         }},
        {"edit in place", "a.json", original, true,
         [](const QString& t) {
             return QStringList{"edit", t, "--set", "limit1.a=12", "--yes"};
         }},
        {"report", "a.pdf", "old", false,
         [](const QString& t) {
             return kSim + QStringList{"report", t};
         }},
        {"set-identity", "velmar/station.json", station, false,
         [](const QString&) {
             return QStringList{"--service",  "--device=sim", "set-identity",
                                "--type=530", "--serial=700", "--made=23-01"};
         }},
    };
    enum Condition { kFullDisk, kFolderIsAFile, kMissingFolder };
    for (const WritePath& path : paths) {
        for (Condition condition : {kFullDisk, kFolderIsAFile, kMissingFolder}) {
            if (path.inPlace && condition != kFullDisk) continue;
            if (condition == kFullDisk && !test::kFullDiskSimulated) continue;
            SCOPED_TRACE(std::string(path.name) + " / " +
                         (condition == kFullDisk        ? "full disk"
                          : condition == kFolderIsAFile ? "folder is a file"
                                                        : "missing folder"));
            const QString folder =
                File(path.name) + QString::number(condition) + (condition == kMissingFolder ? "/new/sub" : "");
            const QString target = QDir(folder).filePath(path.file);
            dataHome = folder;
            if (condition == kFullDisk) Put(target, path.old);
            if (condition == kFolderIsAFile) Put(folder, "a file, not a folder");
            fullDisk = condition == kFullDisk;
            const CliRun r = Tool(path.args(target));
            fullDisk = false;
            if (condition == kMissingFolder) {
                EXPECT_EQ(r.code, 0) << r.err.toStdString();
                EXPECT_TRUE(QFileInfo(target).size() > 0);
                continue;
            }
            EXPECT_EQ(r.code, 4) << r.err.toStdString();
            EXPECT_FALSE(r.err.isEmpty());
            if (condition == kFolderIsAFile) {
                EXPECT_FALSE(QFileInfo::exists(target));
                continue;
            }
            EXPECT_EQ(Contents(target), path.old) << "the old file is kept";
            // No half-written temporary file is left beside it.
            EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files),
                      QStringList{QFileInfo(target).fileName()});
        }
    }
}

TEST_F(Cli, SerialNumbersTakenAtOnceAreAllDifferent) {
    const QString station = dataHome + "/velmar/station.json";
    Put(station, R"({"lastSerial": 500})");
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 4; ++i)
        runs.push_back(
            Begin({"--service", "--device=sim", "set-identity", "--type=530", "--serial=next", "--made=23-01"}));
    std::set<QString> serials;
    for (auto& run : runs) {
        const CliRun r = Finish(*run);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.Json()["verified"].toBool());
        serials.insert(r.Json()["serial"].toString());
    }
    EXPECT_EQ(serials, (std::set<QString>{"000501", "000502", "000503", "000504"}));
    EXPECT_EQ(ReadJson(station)["lastSerial"].toInt(), 504);
}

// A journal at its bound, ending in an entry a full disk cut short: saves
// running at once append and trim it, and every entry they make is kept.
TEST_F(Cli, SavesAtOnceKeepEveryJournalEntry) {
    const QString journal = dataHome + "/velmar/journal/PX330-004711.jsonl";
    const QByteArray line =
        R"({"after":"00","block":"analogInput","kind":"asFound","session":"earlier","time":"2026-01-01T00:00:00.000Z"})"
        "\n";
    Put(journal, line.repeated(SettingsJournal::kMaxEntries) + line.left(40));
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 12; ++i) runs.push_back(Begin(kSim + QStringList{"save", File("s") + QString::number(i)}));
    for (auto& run : runs) {
        const CliRun r = Finish(*run);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    const QByteArray text = Contents(journal);
    const std::vector<JournalEntry> entries = ParseJournal(text);
    const auto made =
        std::count_if(entries.begin(), entries.end(), [](const JournalEntry& e) { return e.session != "earlier"; });
    EXPECT_EQ(made, 12 * 3) << "three blocks found by each save";
    EXPECT_LE(text.count('\n'), SettingsJournal::kMaxEntries) << "trimmed";
    EXPECT_LE(text.count('\n') - qsizetype(entries.size()), 1) << "only the cut entry is damaged";

    // A journal that cannot be written does not stop the save, and is told.
    dataHome = File("s0");  // a file, not a folder
    const CliRun r = Tool(kSim + QStringList{"save", File("t.json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8("a napló nem írható").toUtf8())) << r.err.toStdString();
}

TEST_F(Cli, AWatchCountsTheRecordsItPrints) {
    StartSim({"--fault-every=5"});
    const CliRun r = Tool({address, "status", "--watch", "--count=12", "--interval=10"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 12) << r.out.toStdString();
    for (const QByteArray& l : lines)
        EXPECT_TRUE(QJsonDocument::fromJson(l).object().contains("decimals")) << l.toStdString();
    EXPECT_FALSE(r.err.isEmpty()) << "the faults were there, and said";
}

}  // namespace
}  // namespace velmar
