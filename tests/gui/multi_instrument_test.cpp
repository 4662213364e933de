// Several instruments at once, without hardware: velmar-sim serves them on
// the sockets of a folder and --sim-bus puts them where the USB ones would
// be. The tool picks one by serial or node, runs a command on each in turn,
// and the window counts them, lets the user pick one and stays with it.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gui/app/device_replaced_dialog.h"
#include "gui/app/form_main.h"
#include "gui/app/startup.h"
#include "tests/support/sim_process.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"
#include "transport/linux/socket_bus.h"

namespace velmar {
namespace {

using test::SimProcess;

struct Instrument {
    const char* socket;
    int type;
    int serial;
    QStringList flags;
};

class MultiInstrument : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::vector<std::unique_ptr<SimProcess>> sims;

    QString Node(const char* socket) { return dir.filePath(socket); }
    // Each instrument in a velmar-sim of its own, so that one can go alone.
    void Serve(const std::vector<Instrument>& instruments) {
        for (const Instrument& i : instruments) {
            auto& sim = sims.emplace_back(std::make_unique<SimProcess>());
            ASSERT_FALSE(sim->Start(QStringList{"--listen=unix:" + Node(i.socket), QString("--type=%1").arg(i.type),
                                                QString("--serial=%1").arg(i.serial)} +
                                    i.flags)
                             .isEmpty());
        }
    }
    struct Run {
        int code = -1;
        QByteArray out, err;
        std::vector<QJsonObject> Lines() const {
            std::vector<QJsonObject> lines;
            for (const QByteArray& l : out.trimmed().split('\n')) lines.push_back(QJsonDocument::fromJson(l).object());
            return lines;
        }
    };
    Run Tool(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        p.setProcessEnvironment(env);
        p.start(VELMAR_CLI_PATH, QStringList{"--sim-bus=" + dir.path()} + args);
        p.closeWriteChannel();
        Run r;
        if (!p.waitForFinished(60000)) return r;
        r.code = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
};

const std::vector<Instrument> kTwo = {{"a.sock", 330, 101, {}}, {"b.sock", 530, 102, {}}};
const std::vector<Instrument> kThree = {{"a.sock", 330, 101, {}}, {"b.sock", 530, 102, {}}, {"c.sock", 544, 103, {}}};

TEST_F(MultiInstrument, ListAndPickBySerialOrNode) {
    for (const auto* setup : {&kTwo, &kThree}) {
        SCOPED_TRACE(setup->size());
        sims.clear();
        Serve(*setup);
        const Run list = Tool({"list"});
        ASSERT_EQ(list.code, 0) << list.err.toStdString();
        const auto lines = list.Lines();
        ASSERT_EQ(lines.size(), setup->size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i]["node"].toString(), Node((*setup)[i].socket));
            EXPECT_EQ(lines[i]["deviceType"].toInt(), (*setup)[i].type);
            EXPECT_EQ(lines[i]["serial"].toString(), QString("%1").arg((*setup)[i].serial, 6, 10, QChar('0')));
            EXPECT_FALSE(lines[i]["inUse"].toBool());
        }

        struct Case {
            QString device;
            int code;
            int type;  // of the instrument that answered
            const char* error;  // in the one line on the standard error
        };
        const Instrument& last = setup->back();
        const Case cases[] = {
            {"--device=usb:102", 0, 530, nullptr},
            {QString("--device=usb:%1").arg(last.serial), 0, last.type, nullptr},
            {"--device=usb:" + Node(last.socket), 0, last.type, nullptr},
            {"--device=usb:" + Node("a.sock"), 0, 330, nullptr},
            {"--device=usb:4711", 3, 0, "000101 (PX330"},
            {"--device=usb:" + Node("z.sock"), 3, 0, "z.sock"},
            {"--device=usb:4x", 2, 0, "4x"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.device.toStdString());
            const Run r = Tool({c.device, "info"});
            EXPECT_EQ(r.code, c.code) << r.err.toStdString();
            if (c.type) EXPECT_EQ(r.Lines()[0]["deviceType"].toInt(), c.type);
            if (c.error) {
                EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
                EXPECT_TRUE(r.err.contains(c.error)) << r.err.toStdString();
                for (const Instrument& i : *setup)
                    EXPECT_TRUE(c.code != 3 || c.device.contains(".sock") ||
                                r.err.contains(QString::number(i.serial).toUtf8()))
                        << "an absent serial names those attached: " << r.err.toStdString();
            }
        }
    }
}

TEST_F(MultiInstrument, AllRunsOnEachAndTheFailureOfOneDoesNotStopTheRest) {
    Serve({{"a.sock", 330, 101, {}}, {"b.sock", 530, 102, {"--error=5"}}, {"c.sock", 544, 103, {}}});
    const Run save = Tool({"--device=usb:all", "save", dir.filePath("{type}-{serial}.json")});
    EXPECT_EQ(save.code, 3) << "the worst of them";
    const auto lines = save.Lines();
    ASSERT_EQ(lines.size(), 4u) << save.out.toStdString();
    EXPECT_EQ(lines[0]["exit"].toInt(), 0);
    EXPECT_EQ(lines[0]["records"].toArray()[0].toObject()["file"].toString(), dir.filePath("PX330-000101.json"));
    EXPECT_EQ(lines[1]["serial"].toString(), "000102");
    EXPECT_EQ(lines[1]["exit"].toInt(), 3);
    EXPECT_TRUE(lines[1]["error"].toString().contains("hibakód 5")) << lines[1]["error"].toString().toStdString();
    EXPECT_EQ(lines[2]["exit"].toInt(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("PX544-000103.json")));
    const QJsonObject summary = lines[3]["summary"].toObject();
    EXPECT_EQ(summary["instruments"].toInt(), 3);
    EXPECT_EQ(summary["done"].toInt(), 2);
    EXPECT_EQ(summary["failed"].toInt(), 1);
    EXPECT_EQ(summary["exit"].toInt(), 3);

    // For a person: one heading an instrument, its identity once, a summary line.
    const Run text = Tool({"--text", "--device=usb:all", "info"});
    const QString out = QString::fromUtf8(text.out);
    EXPECT_TRUE(out.startsWith(QString::fromUtf8("== PX330 000101 ("))) << out.toStdString();
    EXPECT_TRUE(out.contains(QString::fromUtf8("== PX530 000102 ("))) << out.toStdString();
    EXPECT_EQ(out.count(QString::fromUtf8("Gyári szám:")), 2) << "the two that answered, once each";
    EXPECT_TRUE(out.trimmed().endsWith(
        QString::fromUtf8("Összesítés: 3 készülék; kész 2, eltér 0, sikertelen 1; kilépési kód 3")))
        << out.toStdString();
    EXPECT_FALSE(out.contains('{')) << out.toStdString();

    // One gone before its turn: the others still answer.
    sims[1]->Kill();
    const Run status = Tool({"--device=usb:all", "status", "--watch", "--count=2", "--interval=20"});
    EXPECT_EQ(status.code, 3) << "b.sock is there but nobody serves it";
    ASSERT_EQ(status.Lines().size(), 4u);
    EXPECT_EQ(status.Lines()[0]["records"].toArray().size(), 2);
    EXPECT_EQ(status.Lines()[2]["records"].toArray().size(), 2);
    const Run diff = Tool({"--device=usb:all", "diff", dir.filePath("PX330-000101.json")});
    EXPECT_EQ(diff.Lines()[0]["exit"].toInt(), 0);
    EXPECT_EQ(diff.Lines()[2]["exit"].toInt(), 4) << "a PX330's file does not fit a PX544";
    const Run report = Tool({"--device=usb:all", "report", dir.filePath("{type}-{serial}.pdf"), "--technician=T"});
    EXPECT_EQ(report.Lines()[0]["exit"].toInt(), 0) << report.out.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("PX330-000101.pdf")));
    EXPECT_TRUE(QFile::exists(dir.filePath("PX544-000103.pdf")));

    struct Case {
        QStringList args;
        const char* error;
    } usage[] = {
        {{"--device=usb:all", "load", dir.filePath("x.json")}, "--yes"},
        {{"--device=usb:all", "save", dir.filePath("same.json")}, "{serial}"},
        {{"--device=usb:all", "status", "--watch"}, "--count"},
        {{"--device=usb:all", "defaults"}, "defaults"},
    };
    for (const Case& c : usage) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Run r = Tool(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains(c.error)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// Two new instruments, both serial 0: the second does not overwrite the
// first one's file, and the run does not end as done. The README's report
// into a folder of the job that is not there yet.
TEST_F(MultiInstrument, TwoOfOneTypeAndSerialNeverShareAFile) {
    Serve({{"a.sock", 330, 0, {"--in=1"}}, {"b.sock", 330, 0, {"--in=0"}}});
    const QString file = dir.filePath("job-1234/PX330-000000.json");
    const Run save = Tool({"--device=usb:all", "save", dir.filePath("job-1234/{type}-{serial}.json")});
    EXPECT_EQ(save.code, 4) << save.out.toStdString();
    const auto lines = save.Lines();
    ASSERT_EQ(lines.size(), 3u) << save.out.toStdString();
    EXPECT_EQ(lines[0]["exit"].toInt(), 0);
    EXPECT_EQ(lines[1]["exit"].toInt(), 4);
    EXPECT_TRUE(lines[1]["error"].toString().contains(file)) << lines[1]["error"].toString().toStdString();
    EXPECT_EQ(lines[2]["summary"].toObject()["done"].toInt(), 1);
    EXPECT_EQ(lines[2]["summary"].toObject()["failed"].toInt(), 1);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QJsonDocument::fromJson(saved.readAll())["blocks"].toObject().contains("analogInput"))
        << "the first instrument's file: the second has no input module";

    const Run report = Tool({"--device=usb:all", "report", dir.filePath("job-5678/{type}-{serial}.pdf")});
    EXPECT_EQ(report.code, 4) << report.out.toStdString();
    EXPECT_EQ(report.Lines()[0]["exit"].toInt(), 0) << report.out.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("job-5678/PX330-000000.pdf")));
}

// The window on the bus, its timers running.
TEST_F(MultiInstrument, WindowCountsPicksAndStaysWithTheChosenOne) {
    Serve(kTwo);
    InstrumentChoice first;
    SocketBus bus(dir.path(), first);
    struct OptionsOnly : WindowFixture {
        void TestBody() override {}
    } options;
    auto windows = Startup(bus, options.Options());
    TForm1* w = windows->main.get();
    w->FormActivate();
    auto* count = w->findChild<QLabel*>("Label_InstrumentCount");
    auto* menu = w->findChild<QMenu*>("Menu_Instruments");
    ASSERT_TRUE(count && menu);
    WAIT_FOR(w->recRX.uDeviceID == 101, 10000);
    EXPECT_EQ(count->text(), QString::fromUtf8("2 készülék csatlakozik"));
    EXPECT_TRUE(menu->menuAction()->isVisible());

    emit menu->aboutToShow();
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->text().startsWith(QString::fromUtf8("PX530 – 000102"))) << entries[1]->text().toStdString();
    entries[1]->trigger();
    WAIT_FOR(w->recRX.uDeviceID == 102, 10000);
    EXPECT_FALSE(w->Form_Keszulekcsere->isVisible()) << "asked for, not a surprise";

    // The chosen one goes: the window waits for it, not for the other.
    sims[1]->Kill();
    QTest::qWait(1500);
    EXPECT_EQ(w->recRX.uDeviceID, 102u);
    EXPECT_EQ(bus.GetHandle(kVendorId, kProductId), 0u);
    sims[1] = std::make_unique<SimProcess>();
    ASSERT_FALSE(sims[1]->Start({"--listen=unix:" + Node("b.sock"), "--type=530", "--serial=102"}).isEmpty());
    WAIT_FOR(bus.GetHandle(kVendorId, kProductId) != 0, 10000);
    windows.reset();
}

}  // namespace
}  // namespace velmar
