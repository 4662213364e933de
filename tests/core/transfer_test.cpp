#include <gtest/gtest.h>

#include <deque>
#include <numeric>
#include <vector>

#include "core/link/frame.h"
#include "core/link/transfer.h"
#include "sim/virtual_instrument.h"

using namespace velmar;

namespace {

// Records what the transfer asks of the link; frames go nowhere unless a
// test answers them.
struct RecordingHost : TransferHost {
    std::vector<std::array<uint8_t, 67>> sent;
    std::vector<uint8_t> decoded;  // command codes handed to decoders
    std::vector<uint8_t> decodedPayload;
    int reprocessed = 0, timerStarts = 0, timerStops = 0;
    std::vector<bool> bufferFull;
    uint8_t* out = nullptr;
    PayloadTransfer* transfer = nullptr;

    bool writeFails = false;

    bool SendTxFrame() override {
        std::array<uint8_t, 67> f{};
        std::copy(out, out + 67, f.begin());
        sent.push_back(f);
        return !writeFails;
    }
    void StartAnswerTimer() override { ++timerStarts; }
    void StopAnswerTimer() override { ++timerStops; }
    void ProcessRxCommand(uint8_t command) override {
        decoded.push_back(command);
        decodedPayload.clear();
        for (int i = 0; i < 20000; ++i) decodedPayload.push_back(transfer->ReadByte());
    }
    void ProcessRxFrame() override { ++reprocessed; }
    void ShowAnswerLength(uint16_t) override {}
    void ShowTxBufferFull(bool full) override { bufferFull.push_back(full); }
};

struct Fixture : ::testing::Test {
    TMBU mbu;
    std::array<uint8_t, 67> out{};
    std::array<uint8_t, 65> in{};
    RecordingHost host;
    PayloadTransfer t{mbu, out.data(), in.data(), host};

    void SetUp() override {
        host.out = out.data();
        host.transfer = &t;
    }

    void Start(uint8_t command, const std::vector<uint8_t>& payload) {
        t.BeginCommand();
        FillTxHeader(out.data(), 0, command, MakeVersionDate(2022, 2, 11), {});
        for (uint8_t b : payload) t.WriteByte(b);
        t.SendNextChunk();
    }

    // Feeds an answer as the link would after a good CRC and error code 0.
    void Answer(const sim::Report& a) {
        std::copy(a.begin(), a.end(), in.begin());
        ASSERT_TRUE(CheckRxCRC(in.data()));
        if (in[5] == 0) t.ProcessRxTransfer(in[7]);
    }

    // Runs a whole exchange against a virtual instrument.
    void RunAgainst(sim::VirtualInstrument& vi, uint8_t command, const std::vector<uint8_t>& payload) {
        Start(command, payload);
        for (std::size_t served = 0; served < host.sent.size() && served < 1000; ++served) {
            auto a = vi.HandleReport(host.sent[served].data());
            ASSERT_TRUE(a);
            Answer(*a);
        }
    }
};

std::vector<uint8_t> Bytes(std::size_t n, uint8_t first = 1) {
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}

sim::Report AnswerFrame(uint8_t command, uint16_t total, uint16_t index, const std::vector<uint8_t>& chunk) {
    sim::Report r{};
    r[7] = command;
    PutU16(r.data(), 9, total);
    PutU16(r.data(), 11, index);
    std::copy(chunk.begin(), chunk.end(), r.begin() + 17);
    SealTxFrame(r.data());
    return r;
}

}  // namespace

using Transfer = Fixture;

TEST_F(Transfer, EmptyPayloadIsOneFrameWithBitsThree) {
    Start(101, {});
    ASSERT_EQ(host.sent.size(), 1u);
    const auto& f = host.sent[0];
    EXPECT_EQ(f[8], 3);
    for (int i = 9; i <= 12; ++i) EXPECT_EQ(f[i], 0);
    EXPECT_EQ(mbu.uTP, phase::kPayloadSent);
    EXPECT_EQ(host.timerStarts, 1);
}

TEST_F(Transfer, FortySixAndFortySevenBytePayloads) {
    Start(202, Bytes(46));
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0][8], 3);
    EXPECT_EQ(GetU16(host.sent[0].data(), 9), 46);

    host.sent.clear();
    Start(202, Bytes(47));
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0][8], 1);
    Answer(AnswerFrame(202, 0, 0, {}));  // acknowledgement
    ASSERT_EQ(host.sent.size(), 2u);
    const auto& f = host.sent[1];
    EXPECT_EQ(f[8], 2);
    EXPECT_EQ(GetU16(f.data(), 9), 47);
    EXPECT_EQ(GetU16(f.data(), 11), 46);
    EXPECT_EQ(f[17], 47);
    EXPECT_EQ(f[18], 0);
}

TEST_F(Transfer, AnswersOfZeroFortySixAndFortySevenBytes) {
    for (uint16_t len : {0, 46, 47}) {
        host = RecordingHost{};
        SetUp();
        sim::VirtualInstrument vi;
        const auto answer = Bytes(len, 9);
        vi.SetHandler(217, [&](const sim::Payload&) { return answer; });
        RunAgainst(vi, 217, {});
        ASSERT_EQ(host.decoded, std::vector<uint8_t>{217}) << len;
        EXPECT_EQ(host.sent.size(), len == 47 ? 2u : 1u) << len;
        if (len == 47) {
            EXPECT_EQ(host.sent[1][8], 4);
            EXPECT_EQ(GetU16(host.sent[1].data(), 11), 46);
        }
        EXPECT_TRUE(std::equal(answer.begin(), answer.end(), host.decodedPayload.begin())) << len;
        EXPECT_TRUE(std::all_of(host.decodedPayload.begin() + len, host.decodedPayload.end(), [](uint8_t b) {
            return b == 0;
        })) << "reads past the answer give 0";
        EXPECT_EQ(mbu.uTP, phase::kIdle);
    }
}

TEST_F(Transfer, HundredByteCommandWithSixtyByteAnswerFrameByFrame) {
    sim::VirtualInstrument vi;
    const auto payload = Bytes(100), answer = Bytes(60, 50);
    sim::Payload got;
    vi.SetHandler(109, [&](const sim::Payload& p) {
        got = p;
        return answer;
    });
    RunAgainst(vi, 109, payload);
    ASSERT_EQ(host.sent.size(), 4u);
    const uint8_t bitsSeen[] = {1, 0, 2, 4};
    const uint16_t index[] = {0, 46, 92, 46};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(host.sent[i][8], bitsSeen[i]) << i;
        EXPECT_EQ(GetU16(host.sent[i].data(), 9), 100) << i;
        EXPECT_EQ(GetU16(host.sent[i].data(), 11), index[i]) << i;
    }
    EXPECT_EQ(host.sent[2][17 + 7], 100);  // last payload byte
    EXPECT_EQ(host.sent[2][17 + 8], 0);
    EXPECT_EQ(host.sent[3][17], host.sent[2][17]) << "answer request keeps the payload bytes";
    EXPECT_EQ(got, payload);
    EXPECT_TRUE(std::equal(answer.begin(), answer.end(), host.decodedPayload.begin()));
    EXPECT_EQ(host.timerStops, 1);
}

TEST_F(Transfer, LargestCommandAndAnswer) {
    sim::VirtualInstrument vi;
    const auto payload = Bytes(16383), answer = Bytes(16384, 3);
    sim::Payload got;
    vi.SetHandler(123, [&](const sim::Payload& p) {
        got = p;
        return answer;
    });
    RunAgainst(vi, 123, payload);
    EXPECT_EQ(got, payload);
    ASSERT_EQ(host.decoded.size(), 1u);
    EXPECT_TRUE(std::equal(answer.begin(), answer.end(), host.decodedPayload.begin()));
}

TEST_F(Transfer, ReadWordWithOneByteLeft) {
    Start(217, {});
    Answer(AnswerFrame(217, 3, 0, {0x11, 0x22, 0x33}));
    mbu.uIndexForDataRead = 2;
    EXPECT_EQ(t.ReadWord(), 0x0033);
    EXPECT_EQ(t.ReadCardinal(), 0u);
}

TEST_F(Transfer, WriterTypesAreLittleEndian) {
    t.BeginCommand();
    t.WriteWord(0x1234);
    t.WriteSmallInt(-2);
    t.WriteInteger(-1);
    t.WriteCardinal(0xA1B2C3D4);
    t.WriteSingle(1.0f);
    t.WriteBoolean(true);
    const uint8_t expected[] = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xD4,
                                0xC3, 0xB2, 0xA1, 0x00, 0x00, 0x80, 0x3F, 0x01};
    ASSERT_EQ(mbu.uIndexForDataWrite, sizeof expected);
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), mbu.uyDataOut.begin()));
}

TEST_F(Transfer, BufferFullAfter16383Bytes) {
    t.BeginCommand();
    for (int i = 0; i < 16383; ++i) t.WriteByte(1);
    EXPECT_TRUE(host.bufferFull.empty());
    t.WriteByte(2);
    t.WriteByte(3);
    EXPECT_EQ(mbu.uIndexForDataWrite, 16383);
    EXPECT_EQ(host.bufferFull, std::vector<bool>{true});
    t.BeginCommand();
    t.WriteByte(1);
    EXPECT_EQ(host.bufferFull, (std::vector<bool>{true, false}));
}

TEST_F(Transfer, AnswerInPhaseZeroMovesNoData) {
    mbu.uyDataIn.fill(0xAA);
    Answer(AnswerFrame(101, 10, 0, Bytes(10)));
    EXPECT_EQ(mbu.uyDataIn[0], 0xAA);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.decoded.empty());
}

// Hostile answers: nothing stored past the buffer, no decoder on a cut answer.
TEST_F(Transfer, HostileAnswersAreRefusedWithoutDecoding) {
    struct Case {
        const char* what;
        uint16_t total, index;
    } cases[] = {
        {"announced length above 16384", 20000, 0},
        {"first chunk not at the start", 100, 46},
        {"index far past the buffer", 100, 65000},
    };
    for (const auto& c : cases) {
        host = RecordingHost{};
        SetUp();
        Start(217, {});
        Answer(AnswerFrame(217, c.total, c.index, Bytes(46)));
        EXPECT_TRUE(host.decoded.empty()) << c.what;
        EXPECT_EQ(in[5], 9) << c.what;
        EXPECT_EQ(host.reprocessed, 1) << c.what;
        EXPECT_EQ(mbu.uTP, phase::kIdle) << c.what;
        EXPECT_EQ(host.sent.size(), 1u) << c.what;
    }
    // An answer request answered with another chunk than asked for.
    host = RecordingHost{};
    SetUp();
    Start(217, {});
    Answer(AnswerFrame(217, 100, 0, Bytes(46)));
    ASSERT_EQ(host.sent.size(), 2u);
    Answer(AnswerFrame(217, 100, 16380, Bytes(46)));
    EXPECT_TRUE(host.decoded.empty());
    EXPECT_EQ(mbu.uTP, phase::kIdle);
}

// A frame the transport cannot send ends the command at once, shown with
// its own code, instead of waiting for an answer that cannot come: the
// first frame of a command as well as one further into it.
TEST_F(Transfer, AFrameTheTransportCannotSendEndsTheCommandAtOnce) {
    for (const bool later : {false, true}) {
        SCOPED_TRACE(later ? "second payload frame" : "first frame");
        host = RecordingHost{};
        SetUp();
        mbu.bWaitForAnswer = true;
        host.writeFails = !later;
        Start(131, Bytes(100));
        if (later) {
            host.writeFails = true;
            Answer(AnswerFrame(131, 0, 0, {}));  // the first frame taken
        }
        EXPECT_EQ(host.sent.size(), later ? 2u : 1u);
        EXPECT_EQ(host.timerStarts, later ? 1 : 0) << "no answer is waited for";
        EXPECT_EQ(in[5], err::kWriteFailed);
        EXPECT_EQ(host.reprocessed, 1);
        EXPECT_EQ(mbu.uTP, phase::kIdle);
        EXPECT_FALSE(mbu.bWaitForAnswer);
        EXPECT_TRUE(host.decoded.empty());
    }
}
