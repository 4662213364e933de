#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/link/command_table.h"
#include "sim/virtual_instrument.h"

using namespace velmar;
using namespace velmar::sim;

namespace {

struct Tx {
    uint8_t command = 101;
    uint8_t frameBits = 3;
    uint16_t total = 0;
    uint16_t index = 0;
    std::vector<uint8_t> chunk;
    uint16_t device = 0;
    uint16_t minCode = 8225;
    uint16_t maxCode = 0;
};

Report Frame(const Tx& t) {
    Report r{};
    PutU16(r.data(), pos::kDevice, t.device);
    PutU16(r.data(), pos::kVersionMin, t.minCode);
    PutU16(r.data(), pos::kVersionMax, t.maxCode);
    r[pos::kCommand] = t.command;
    r[pos::kFrameBits] = t.frameBits;
    PutU16(r.data(), pos::kDataBytes, t.total);
    PutU16(r.data(), pos::kIndex, t.index);
    PutU32(r.data(), pos::kId, kHostId);
    std::copy(t.chunk.begin(), t.chunk.end(), r.begin() + kPayloadFirst);
    SealTxFrame(r.data());
    return r;
}

Payload Bytes(std::size_t n, uint8_t first = 0) {
    Payload p(n);
    std::iota(p.begin(), p.end(), first);
    return p;
}

Payload Slice(const Payload& p, std::size_t from, std::size_t n) {
    return Payload(p.begin() + from, p.begin() + from + n);
}

Payload AnswerChunk(const Report& a, std::size_t n) {
    return Payload(a.begin() + kPayloadFirst, a.begin() + kPayloadFirst + n);
}

}  // namespace

TEST(VirtualInstrument, AnswerHeaderLayout) {
    InstrumentConfig cfg;
    cfg.deviceType = 530;
    cfg.serial = 0x01020304;
    cfg.firmware = {2022, 7, 21};
    VirtualInstrument vi(cfg);
    auto a = vi.HandleReport(Frame({}).data());
    ASSERT_TRUE(a);
    EXPECT_EQ(GetU16(a->data(), 1), 530);
    EXPECT_EQ(GetU16(a->data(), 3), 8390);
    EXPECT_EQ((*a)[5], 0);
    EXPECT_EQ((*a)[7], 101);
    EXPECT_EQ(GetU32(a->data(), 13), 0x01020304u);
    EXPECT_EQ(CalcCRC16(a->data() + 1, 62), GetU16(a->data(), 63));
    const uint8_t counter = (*a)[6];
    auto b = vi.HandleReport(Frame({}).data());
    EXPECT_EQ((*b)[6], uint8_t(counter + 1));
}

TEST(VirtualInstrument, SingleFrameAnswersOfZeroFortySixAndFortySevenBytes) {
    for (std::size_t len : {0u, 46u, 47u}) {
        VirtualInstrument vi;
        const Payload answer = Bytes(len, 7);
        vi.SetHandler(217, [&](const Payload& req) {
            EXPECT_TRUE(req.empty());
            return answer;
        });
        auto a = vi.HandleReport(Frame({.command = 217, .frameBits = 3}).data());
        ASSERT_TRUE(a);
        EXPECT_EQ(GetU16(a->data(), 9), len);
        EXPECT_EQ(GetU16(a->data(), 11), 0);
        EXPECT_EQ(AnswerChunk(*a, std::min<std::size_t>(len, 46)), Slice(answer, 0, std::min<std::size_t>(len, 46)));
        if (len == 47) {
            auto b = vi.HandleReport(Frame({.command = 217, .frameBits = 4, .index = 46}).data());
            EXPECT_EQ(GetU16(b->data(), 9), 47);
            EXPECT_EQ(GetU16(b->data(), 11), 46);
            EXPECT_EQ((*b)[17], answer[46]);
            EXPECT_EQ((*b)[18], 0);
        }
    }
}

TEST(VirtualInstrument, CommandPayloadOfFortySixAndFortySevenBytes) {
    for (std::size_t len : {46u, 47u}) {
        VirtualInstrument vi;
        const Payload sent = Bytes(len, 1);
        Payload got;
        vi.SetHandler(202, [&](const Payload& req) {
            got = req;
            return Payload{};
        });
        if (len == 46) {
            vi.HandleReport(Frame({.command = 202, .frameBits = 3, .total = 46, .chunk = sent}).data());
        } else {
            auto ack = vi.HandleReport(
                Frame({.command = 202, .frameBits = 1, .total = 47, .chunk = Slice(sent, 0, 46)}).data());
            EXPECT_EQ((*ack)[5], 0);
            EXPECT_TRUE(got.empty()) << "no decoding before the last frame";
            vi.HandleReport(
                Frame({.command = 202, .frameBits = 2, .total = 47, .index = 46, .chunk = Slice(sent, 46, 1)}).data());
        }
        EXPECT_EQ(got, sent);
    }
}

// A 100-byte command with a 60-byte answer, frame by frame.
TEST(VirtualInstrument, HundredByteCommandWithSixtyByteAnswer) {
    VirtualInstrument vi;
    const Payload sent = Bytes(100, 10), answer = Bytes(60, 100);
    Payload got;
    vi.SetHandler(109, [&](const Payload& req) {
        got = req;
        return answer;
    });

    auto a1 =
        vi.HandleReport(Frame({.command = 109, .frameBits = 1, .total = 100, .chunk = Slice(sent, 0, 46)}).data());
    EXPECT_EQ((*a1)[5], 0);
    auto a2 = vi.HandleReport(
        Frame({.command = 109, .frameBits = 0, .total = 100, .index = 46, .chunk = Slice(sent, 46, 46)}).data());
    EXPECT_EQ((*a2)[5], 0);
    auto a3 = vi.HandleReport(
        Frame({.command = 109, .frameBits = 2, .total = 100, .index = 92, .chunk = Slice(sent, 92, 8)}).data());
    EXPECT_EQ(got, sent);
    EXPECT_EQ(GetU16(a3->data(), 9), 60);
    EXPECT_EQ(GetU16(a3->data(), 11), 0);
    EXPECT_EQ(AnswerChunk(*a3, 46), Slice(answer, 0, 46));
    // The answer request leaves the last payload frame's bytes in place.
    auto a4 = vi.HandleReport(
        Frame({.command = 109, .frameBits = 4, .total = 100, .index = 46, .chunk = Slice(sent, 92, 8)}).data());
    EXPECT_EQ(GetU16(a4->data(), 9), 60);
    EXPECT_EQ(GetU16(a4->data(), 11), 46);
    EXPECT_EQ(AnswerChunk(*a4, 14), Slice(answer, 46, 14));
    EXPECT_EQ((*a4)[17 + 14], 0);
}

TEST(VirtualInstrument, ErrorAnswers) {
    InstrumentConfig cfg;
    cfg.deviceType = 330;
    cfg.firmware = {2022, 7, 21};  // 8390
    struct Case {
        const char* what;
        Tx tx;
        uint8_t error;
    } cases[] = {
        {"any device", {.device = 0}, 0},
        {"own type", {.device = 330}, 0},
        {"other type", {.device = 310}, 2},
        {"minimum equal", {.minCode = 8390}, 0},
        {"firmware older than minimum", {.minCode = 8391}, 4},
        {"maximum not set", {.maxCode = 0}, 0},
        {"firmware newer than maximum", {.maxCode = 8389}, 3},
        {"unknown command", {.command = 7}, 5},
        {"payload too long", {.command = 202, .frameBits = 1, .total = 16384}, 7},
    };
    for (const auto& c : cases) {
        VirtualInstrument vi(cfg);
        auto a = vi.HandleReport(Frame(c.tx).data());
        ASSERT_TRUE(a) << c.what;
        EXPECT_EQ((*a)[5], c.error) << c.what;
        EXPECT_EQ((*a)[7], c.tx.command) << c.what;
    }
    VirtualInstrument vi(cfg);
    Report bad = Frame({});
    bad[40] ^= 0x10;
    EXPECT_EQ((*vi.HandleReport(bad.data()))[5], 1);
}

TEST(VirtualInstrument, InjectedFaults) {
    InstrumentConfig cfg;
    cfg.dropEvery = 3;
    cfg.badCrcEvery = 2;
    VirtualInstrument vi(cfg);
    std::vector<std::string> seen;
    for (int i = 1; i <= 6; ++i) {
        auto a = vi.HandleReport(Frame({}).data());
        if (!a)
            seen.push_back("drop");
        else
            seen.push_back(CalcCRC16(a->data() + 1, 62) == GetU16(a->data(), 63) ? "ok" : "crc");
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"ok", "crc", "drop", "crc", "ok", "drop"}));

    InstrumentConfig forced;
    forced.forcedError = 8;
    VirtualInstrument vf(forced);
    EXPECT_EQ((*vf.HandleReport(Frame({}).data()))[5], 8);
}

// The soak's schedule: every Nth answer spoiled, each kind in turn, the
// spoiled answers still sealed unless the CRC is the fault.
TEST(VirtualInstrument, FaultScheduleTakesEveryKindInTurn) {
    InstrumentConfig cfg;
    cfg.faultEvery = 2;
    VirtualInstrument vi(cfg);
    const auto kinds = FaultKinds();
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        auto good = vi.HandleReport(Frame({}).data());
        ASSERT_TRUE(good);
        EXPECT_EQ((*good)[5], 0) << "between faults";
        auto a = vi.HandleReport(Frame({}).data());
        const FaultKind& kind = kinds[k];
        SCOPED_TRACE(kind.name);
        if (kind.action == FaultAction::Drop) {
            EXPECT_FALSE(a);
            continue;
        }
        ASSERT_TRUE(a);
        const bool sealed = CalcCRC16(a->data() + 1, 62) == GetU16(a->data(), 63);
        EXPECT_EQ(sealed, kind.action != FaultAction::BadCrc);
        if (kind.action == FaultAction::Error) EXPECT_EQ((*a)[5], kind.code);
        if (kind.action == FaultAction::BadIndex) EXPECT_NE(GetU16(a->data(), pos::kIndex), 0);
        if (kind.action == FaultAction::BadLength) EXPECT_EQ(GetU16(a->data(), pos::kDataBytes), 0xFFFF);
    }
    const auto injected = vi.Faults().Injected();
    EXPECT_EQ(std::accumulate(injected.begin(), injected.end(), 0u), kinds.size());
    EXPECT_EQ(vi.Faults().Answers(), 2 * kinds.size());
}

TEST(VirtualInstrument, EveryTableCommandIsKnown) {
    for (const auto& c : CommandTable()) {
        // A fresh instrument each: a restart leaves it silent for a while.
        VirtualInstrument vi;
        auto a = vi.HandleReport(Frame({.command = c.code}).data());
        ASSERT_TRUE(a.has_value()) << int(c.code);
        EXPECT_EQ((*a)[5], 0) << int(c.code);
    }
}

TEST(VirtualInstrument, HostileIndexesStayInsideBuffers) {
    VirtualInstrument vi;
    vi.SetHandler(101, [](const Payload&) { return Bytes(10); });
    // A payload frame whose index lies past its announced length, and an
    // answer request far past the answer.
    auto a = vi.HandleReport(Frame({.frameBits = 2, .total = 100, .index = 65000, .chunk = Bytes(46)}).data());
    EXPECT_EQ((*a)[5], 0);
    auto b = vi.HandleReport(Frame({.frameBits = 4, .index = 65535}).data());
    EXPECT_EQ(GetU16(b->data(), 11), 65535);
    for (int i = 17; i < 63; ++i) EXPECT_EQ((*b)[i], 0);
}

TEST(InstrumentFlags, ParseAndReject) {
    InstrumentConfig c;
    EXPECT_EQ(ParseInstrumentFlags({"--type=530", "--serial=1234", "--made=21-03", "--firmware=2022-02-11", "--in=8",
                                    "--out1=5", "--out2=3", "--latency-ms=5", "--drop-every=10", "--bad-crc-every=7",
                                    "--error=4", "--buttons=5", "/QZKTRM", "--device=sim"},
                                   c),
              "");
    EXPECT_EQ(c.deviceType, 530);
    EXPECT_EQ(c.serial, 1234u);
    EXPECT_EQ(c.madeYear, 21);
    EXPECT_EQ(c.madeMonth, 3);
    EXPECT_EQ(c.firmware, (VersionDate{2022, 2, 11}));
    EXPECT_EQ(c.optIn, 8);
    EXPECT_EQ(c.latencyMs, 5);
    EXPECT_EQ(c.forcedError, 4);
    EXPECT_EQ(c.buttons, 5);
    EXPECT_FALSE(c.cycleButtons);
    EXPECT_EQ(ParseInstrumentFlags({"--buttons=cycle"}, c), "");
    EXPECT_TRUE(c.cycleButtons);
    for (const char* bad : {"--type=x", "--made=2022-7", "--firmware=2022-13-01", "--in=256", "--serial=-1",
                            "--buttons=8", "--buttons=left"}) {
        InstrumentConfig d;
        EXPECT_NE(ParseInstrumentFlags({bad}, d), "") << bad;
    }
}

#include "core/device/status_codec.h"
#include "core/link/payload_io.h"

namespace {
struct Status {
    tRX rx;
    tMSys sys;
};
Status Decode(const Payload& p) {
    Status s;
    BytesReader r(p);
    StatusAnswerLayout(r, s.rx, s.sys);
    return s;
}
}  // namespace

TEST(VirtualInstrumentLive, StatusFollowsTheSignalThroughTheSettings) {
    double now = 5.0;  // a quarter period: the signal at its top, 95 % of the range
    InstrumentConfig cfg;
    cfg.deviceType = 330;
    cfg.optOut1 = 5;
    cfg.optOut2 = 3;
    cfg.errorBits = 0x11;
    cfg.globalError = 7;
    VirtualInstrument vi(cfg, [&] { return now; });
    vi.Settings().input.scaleLow = -500;
    vi.Settings().input.scaleHigh = 1500;
    vi.Settings().outputs[1].type = 2;  // 0-10 V
    vi.Settings().outputs[1].scaleLow = -500;
    vi.Settings().outputs[1].scaleHigh = 1500;
    auto status = [&] {
        auto a = vi.HandleReport(Frame({.command = 101}).data());
        EXPECT_EQ(GetU16(a->data(), 9), kStatusAnswerSize);
        Payload bytes(a->begin() + 17, a->begin() + 17 + 46);
        for (uint16_t at = 46; at < kStatusAnswerSize; at += 46) {
            auto b = vi.HandleReport(Frame({.command = 101, .frameBits = 4, .index = at}).data());
            bytes.insert(bytes.end(), b->begin() + 17, b->begin() + 17 + 46);
        }
        bytes.resize(kStatusAnswerSize);
        return Decode(bytes);
    };
    Status s = status();
    EXPECT_EQ(s.rx.iSkalazottKijezesiErtek, 1400);  // -500 + 0.95 * 2000
    EXPECT_NEAR(s.rx.fKimenetSzazalek, 0.95, 1e-6);
    EXPECT_NEAR(s.rx.fFizikaiMennyiseg, 4 + 16 * 0.95, 1e-4);
    EXPECT_EQ(s.rx.uLimit, 0) << "below the relay's limit";
    vi.Settings().limits[0].a = 1300;
    s = status();
    EXPECT_EQ(s.rx.uLimit, 0x01) << "relay in slot 1 above its limit";
    EXPECT_EQ(s.rx.uAnalogueTypeFor101_2, 2);
    EXPECT_NEAR(s.rx.fPXAOKimenoFizErtek_2, 9.5, 1e-4) << "0-10 V over the default scale";
    EXPECT_EQ(s.rx.uErrorBits, 0x11u);
    EXPECT_EQ(s.rx.uGlobalErrorCode, 7);
    EXPECT_EQ(s.rx.uPXOptIn, 1) << "the PX330's usual input module";
    const uint32_t seconds = s.rx.uSecondsOfOperation;

    now = 15.0;  // the bottom: 5 % of the range
    s = status();
    EXPECT_EQ(s.rx.iSkalazottKijezesiErtek, -400);
    EXPECT_EQ(s.rx.uLimit, 0);
    EXPECT_EQ(s.rx.uSecondsOfOperation, seconds + 10);
}
