// SocketHid against the real velmar-sim binary, on a unix socket in a
// temporary directory and on TCP over the loopback interface.

#include <gtest/gtest.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>
#include <vector>

#include "core/link/frame.h"
#include "tests/support/sim_process.h"
#include "transport/socket_hid.h"

using namespace velmar;

namespace {

constexpr int kWaitMs = 10000;  // generous: a loaded machine is not a fault
using Report = std::array<uint8_t, kReportSize>;
using test::SimProcess;

// Records the events of a transport, with the ids the transport reports for
// the handle at the moment of the event.
struct EventLog {
    struct Entry {
        int event;
        HidHandle handle;
        uint16_t vendorId, productId;
    };
    std::vector<Entry> entries;

    explicit EventLog(HidLibrary& hid) {
        QObject::connect(&hid, &HidLibrary::hidEvent, &hid, [this, &hid](int event, HidHandle h) {
            entries.push_back({event, h, hid.GetVendorID(h), hid.GetProductID(h)});
        });
    }
    int Count(int event) const {
        int n = 0;
        for (const auto& e : entries) n += e.event == event;
        return n;
    }
    bool WaitFor(int event, int count = 1) {
        return QTest::qWaitFor([&] { return Count(event) >= count; }, kWaitMs);
    }
};

std::unique_ptr<SocketHid> MakeHid(const QString& address) {
    QString error;
    auto parsed = SocketHid::ParseAddress(address, &error);
    EXPECT_TRUE(parsed) << error.toStdString();
    return parsed ? std::make_unique<SocketHid>(*parsed) : nullptr;
}

Report StatusRequest() {
    Report r{};
    FillTxHeader(r.data(), 0, 101, VersionCodeToDate(8225), {});
    r[pos::kFrameBits] = bits::kFirst | bits::kLast;
    SealTxFrame(r.data());
    return r;
}

// Reads every waiting report; checks each is a good status answer.
std::vector<Report> ReadAnswers(HidLibrary& hid, uint16_t type, uint32_t serial) {
    std::vector<Report> answers;
    Report a{};
    while (hid.Read(1, a.data())) {
        EXPECT_TRUE(CheckRxCRC(a.data()));
        EXPECT_EQ(a[pos::kCommand], 101);
        EXPECT_EQ(a[pos::kError], err::kOk);
        EXPECT_EQ(GetU16(a.data(), pos::kDevice), type);
        EXPECT_EQ(GetU32(a.data(), pos::kId), serial);
        answers.push_back(a);
    }
    return answers;
}

// Sends n status requests back to back and collects their n answers.
std::vector<Report> Exchange(HidLibrary& hid, EventLog& log, int n, uint16_t type = 330, uint32_t serial = 4711) {
    const int before = log.Count(kHidReportReceived);
    const Report request = StatusRequest();
    for (int i = 0; i < n; ++i) EXPECT_TRUE(hid.Write(1, request.data()));
    EXPECT_TRUE(log.WaitFor(kHidReportReceived, before + n));
    return ReadAnswers(hid, type, serial);
}

}  // namespace

TEST(SocketHid, ParsesAddresses) {
    struct Case {
        const char* text;
        bool good;
        const char* canonical;
    };
    const Case cases[] = {
        {"unix:/tmp/velmar.sock", true, "unix:/tmp/velmar.sock"},
        {"tcp:127.0.0.1:5000", true, "tcp:127.0.0.1:5000"},
        {"tcp:[::1]:65535", true, "tcp:[::1]:65535"},
        {"tcp:localhost:1", true, "tcp:localhost:1"},
        {"", false, ""},
        {"unix:", false, ""},
        {"/tmp/velmar.sock", false, ""},
        {"udp:127.0.0.1:5000", false, ""},
        {"tcp:127.0.0.1", false, ""},
        {"tcp::5000", false, ""},
        {"tcp:127.0.0.1:", false, ""},
        {"tcp:127.0.0.1:0", false, ""},
        {"tcp:127.0.0.1:65536", false, ""},
        {"tcp:127.0.0.1:-1", false, ""},
        {"tcp:127.0.0.1:50x", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QString error;
        const auto address = SocketHid::ParseAddress(c.text, &error);
        EXPECT_EQ(bool(address), c.good);
        EXPECT_EQ(error.isEmpty(), c.good);
        if (address) EXPECT_EQ(address->ToString(), c.canonical);
    }
}

// Plug, several exchanges, the server going away and coming back.
TEST(SocketHid, UnixExchangesAndReconnects) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString address = "unix:" + dir.filePath("sim.sock");
    SimProcess sim;
    const QStringList args{"--listen=" + address, "--type=530", "--serial=90210"};
    ASSERT_EQ(sim.Start(args), address) << sim.Output().toStdString();

    auto hid = MakeHid(address);
    ASSERT_TRUE(hid);
    EventLog log(*hid);
    EXPECT_EQ(hid->GetHandle(kVendorId, kProductId), 0u);
    hid->Connect();
    ASSERT_TRUE(log.WaitFor(kHidPlugged));
    const HidHandle handle = log.entries.front().handle;
    EXPECT_EQ(hid->GetHandle(kVendorId, kProductId), handle);
    EXPECT_EQ(hid->GetHandle(kVendorId, 0x1234), 0u);
    EXPECT_EQ(hid->GetVendorID(handle), kVendorId);
    EXPECT_EQ(hid->GetProductID(handle), kProductId);
    char name[80];
    hid->GetVendorName(handle, name, sizeof name);
    EXPECT_STREQ(name, "Velmar");
    hid->GetProductName(handle, name, sizeof name);
    EXPECT_NE(std::string(name).find(address.toStdString()), std::string::npos) << name;

    // Several requests in flight at once: every answer arrives whole, in
    // order, with the instrument's frame counter counting up.
    const auto answers = Exchange(*hid, log, 5, 530, 90210);
    ASSERT_EQ(answers.size(), 5u);
    for (std::size_t i = 1; i < answers.size(); ++i)
        EXPECT_EQ(answers[i][pos::kCounter], uint8_t(answers[i - 1][pos::kCounter] + 1));
    Report spare{};
    EXPECT_FALSE(hid->Read(handle, spare.data()));

    sim.Kill();
    ASSERT_TRUE(log.WaitFor(kHidUnplugged));
    const auto& unplugged = log.entries.back();
    EXPECT_EQ(unplugged.event, kHidUnplugged);
    EXPECT_EQ(unplugged.handle, handle);
    EXPECT_EQ(unplugged.vendorId, kVendorId);
    EXPECT_EQ(unplugged.productId, kProductId);
    EXPECT_EQ(hid->GetHandle(kVendorId, kProductId), 0u);
    EXPECT_FALSE(hid->Write(handle, StatusRequest().data()));

    // Killed, the server left its socket file behind; the new one replaces
    // it and the transport finds it by itself.
    ASSERT_EQ(sim.Start(args), address) << sim.Output().toStdString();
    ASSERT_TRUE(log.WaitFor(kHidPlugged, 2));
    EXPECT_EQ(hid->GetHandle(kVendorId, kProductId), handle);
    EXPECT_EQ(Exchange(*hid, log, 1, 530, 90210).size(), 1u);
}

TEST(SocketHid, TcpOnLoopback) {
    SimProcess sim;
    const QString address = sim.Start({"--listen=tcp:127.0.0.1:0", "--serial=17"});
    ASSERT_TRUE(address.startsWith("tcp:127.0.0.1:")) << sim.Output().toStdString();
    auto hid = MakeHid(address);
    ASSERT_TRUE(hid);
    EventLog log(*hid);
    hid->Connect();
    ASSERT_TRUE(log.WaitFor(kHidPlugged));
    EXPECT_EQ(Exchange(*hid, log, 3, 330, 17).size(), 3u);
}

// Reports cut at odd places on the wire are put together again, on the
// transport's side and on velmar-sim's.
TEST(SocketHid, ReassemblesReportsSplitAcrossReads) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("split.sock");

    // Transport side: a server that sends two reports in three pieces.
    QLocalServer server;
    ASSERT_TRUE(server.listen(path));
    auto hid = MakeHid("unix:" + path);
    ASSERT_TRUE(hid);
    EventLog log(*hid);
    hid->Connect();
    ASSERT_TRUE(server.waitForNewConnection(kWaitMs));
    QLocalSocket* peer = server.nextPendingConnection();
    ASSERT_TRUE(log.WaitFor(kHidPlugged));
    QByteArray wire;
    for (int i = 0; i < 2 * int(kReportSize); ++i) wire += char(i);
    for (const auto& piece : {wire.left(1), wire.mid(1, 90), wire.mid(91)}) {
        peer->write(piece);
        peer->flush();
        QTest::qWait(50);  // gives the transport a chance to read each piece alone
    }
    ASSERT_TRUE(log.WaitFor(kHidReportReceived, 2));
    Report got{};
    for (int r = 0; r < 2; ++r) {
        ASSERT_TRUE(hid->Read(1, got.data()));
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(got.data()), kReportSize),
                  wire.mid(r * kReportSize, kReportSize));
    }
    EXPECT_FALSE(hid->Read(1, got.data()));
    server.close();

    // velmar-sim side: a request in two pieces still gets its one answer.
    const QString simPath = dir.filePath("sim.sock");
    SimProcess sim;
    ASSERT_FALSE(sim.Start({"--listen=unix:" + simPath}).isEmpty()) << sim.Output().toStdString();
    QLocalSocket client;
    client.connectToServer(simPath);
    ASSERT_TRUE(client.waitForConnected(kWaitMs));
    const Report request = StatusRequest();
    const auto* bytes = reinterpret_cast<const char*>(request.data());
    client.write(bytes, 20);
    client.flush();
    QTest::qWait(50);
    client.write(bytes + 20, kReportSize - 20);
    client.flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.bytesAvailable() >= qint64(kReportSize); }, kWaitMs));
    QByteArray answer = client.read(kReportSize);
    EXPECT_TRUE(CheckRxCRC(reinterpret_cast<uint8_t*>(answer.data())));
    EXPECT_EQ(uint8_t(answer[pos::kError]), err::kOk);
}

// One instrument for the whole run: a second client waits until the first
// leaves and sees the frame counter go on where the first left it, and an
// answer still due to the first when it leaves is not sent to the second.
// Opened ahead while the window is still being built: the server sees the
// connection at once, the window hears nothing until it connects, and then
// the plug; whatever the server sent before that is no answer and is dropped.
// A server not there yet is tried again once the window connects.
TEST(SocketHid, OpenedAheadAnnouncesThePlugOnlyOnConnect) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("ahead.sock");
    QLocalServer server;
    ASSERT_TRUE(server.listen(path));
    auto hid = MakeHid("unix:" + path);
    ASSERT_TRUE(hid);
    EventLog log(*hid);
    hid->Open();
    ASSERT_TRUE(server.waitForNewConnection(kWaitMs));
    QLocalSocket* peer = server.nextPendingConnection();
    peer->write(QByteArray(int(kReportSize), '\x55'));
    peer->flush();
    QTest::qWait(200);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(hid->GetHandle(kVendorId, kProductId), HidHandle(1));  // the link is up all the same

    hid->Connect();
    ASSERT_TRUE(log.WaitFor(kHidPlugged));
    Report got{};
    EXPECT_FALSE(hid->Read(1, got.data()));
    peer->write(QByteArray(int(kReportSize), '\x11'));
    peer->flush();
    ASSERT_TRUE(log.WaitFor(kHidReportReceived));
    ASSERT_TRUE(hid->Read(1, got.data()));
    EXPECT_EQ(got[0], 0x11);
    EXPECT_EQ(log.Count(kHidPlugged), 1);

    // No server yet when opened: the window's connect tries again.
    const QString later = dir.filePath("later.sock");
    auto late = MakeHid("unix:" + later);
    ASSERT_TRUE(late);
    EventLog lateLog(*late);
    late->Open();
    QTest::qWait(100);
    QLocalServer second;
    ASSERT_TRUE(second.listen(later));
    late->Connect();
    ASSERT_TRUE(lateLog.WaitFor(kHidPlugged));
    EXPECT_EQ(lateLog.Count(kHidUnplugged), 0);
}

TEST(SocketHid, SimServesOneClientAtATimeWithOneInstrument) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString address = "unix:" + dir.filePath("sim.sock");
    SimProcess sim;
    ASSERT_EQ(sim.Start({"--listen=" + address, "--latency-ms=200"}), address) << sim.Output().toStdString();

    auto first = MakeHid(address);
    auto second = MakeHid(address);
    ASSERT_TRUE(first && second);
    EventLog firstLog(*first), secondLog(*second);
    first->Connect();
    ASSERT_TRUE(firstLog.WaitFor(kHidPlugged));
    ASSERT_EQ(Exchange(*first, firstLog, 2).size(), 2u);

    second->Connect();
    ASSERT_TRUE(secondLog.WaitFor(kHidPlugged));
    const Report request = StatusRequest();
    ASSERT_TRUE(second->Write(1, request.data()));
    const auto firstAnswers = Exchange(*first, firstLog, 1);
    ASSERT_EQ(firstAnswers.size(), 1u);
    EXPECT_EQ(secondLog.Count(kHidReportReceived), 0);

    // The first leaves with a request on its way; its answer is due later.
    ASSERT_TRUE(first->Write(1, request.data()));
    QTest::qWait(50);  // lets the request leave the socket's write buffer
    first.reset();

    ASSERT_TRUE(secondLog.WaitFor(kHidReportReceived));
    QTest::qWait(500);  // room for an answer that should not come
    const auto answers = ReadAnswers(*second, 330, 4711);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][pos::kCounter], uint8_t(firstAnswers[0][pos::kCounter] + 2));
}

// Fault injection and latency of velmar-sim: a dropped answer is never sent,
// the others come late but in order.
TEST(SocketHid, SimDropsAnswersAndDelaysTheRest) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString address = "unix:" + dir.filePath("sim.sock");
    SimProcess sim;
    ASSERT_EQ(sim.Start({"--listen=" + address, "--drop-every=2", "--latency-ms=30"}), address)
        << sim.Output().toStdString();
    auto hid = MakeHid(address);
    ASSERT_TRUE(hid);
    EventLog log(*hid);
    hid->Connect();
    ASSERT_TRUE(log.WaitFor(kHidPlugged));
    const Report request = StatusRequest();
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(hid->Write(1, request.data()));
    ASSERT_TRUE(log.WaitFor(kHidReportReceived, 2));
    QTest::qWait(300);  // room for an answer that should not come
    const auto answers = ReadAnswers(*hid, 330, 4711);
    ASSERT_EQ(answers.size(), 2u);
    // The second and fourth answers were built, and so counted, but dropped.
    EXPECT_EQ(answers[1][pos::kCounter], uint8_t(answers[0][pos::kCounter] + 2));
}

// SIGTERM ends velmar-sim normally, and it takes its socket file with it.
// (Linux's alone: on Windows a named pipe goes with the process.)
#ifndef _WIN32
TEST(VelmarSim, QuitsCleanlyOnSigterm) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("sim.sock");
    QProcess p;
    p.start(VELMAR_SIM_PATH, {"--listen=unix:" + path});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(path); }, kWaitMs));
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(kWaitMs));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(path));
}
#endif

TEST(VelmarSim, RejectsBadCommandLines) {
    struct Case {
        QStringList args;
        int exitCode;
        const char* output;  // part of what it prints
    };
    const Case cases[] = {
        {{"--help"}, 0, "--latency-ms=N"},
        {{}, 2, "--listen"},
        {{"--listen=unix:/nonexistent-dir/x.sock", "--serial=abc"}, 2, "--serial"},
        {{"--listen=unix:/nonexistent-dir/x.sock", "--made=22-13"}, 2, "--made"},
        {{"--listen=udp:127.0.0.1:1"}, 2, "udp:127.0.0.1:1"},
        {{"--listen=unix:/nonexistent-dir/x.sock", "--bogus=1"}, 2, "--bogus"},
        {{"--listen=unix:/nonexistent-dir/x.sock", "-v"}, 2, "-v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(VELMAR_SIM_PATH, c.args);
        ASSERT_TRUE(p.waitForFinished(kWaitMs));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), c.exitCode);
        EXPECT_TRUE(p.readAll().contains(c.output));
    }
}
