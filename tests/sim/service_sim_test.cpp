// The virtual instrument's factory commands: a new identity, calibrations
// that the read-backs return, the memory erase, the restart, and the display
// image with its pixel rule.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/device/service_commands.h"
#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "sim/display_image.h"
#include "sim/virtual_instrument.h"

using namespace velmar;
using namespace velmar::sim;

namespace {

struct ServiceSim : ::testing::Test {
    double now = 5.0;
    VirtualInstrument vi{InstrumentConfig{}, [this] { return now; }};

    // One whole command with a payload of at most one frame; the answer
    // payload collected over as many frames as it takes. Nothing when the
    // instrument stays silent.
    std::optional<Payload> Run(uint8_t command, const Payload& request = {}) {
        Report r{};
        r[pos::kCommand] = command;
        r[pos::kFrameBits] = 3;
        PutU16(r.data(), pos::kDataBytes, uint16_t(request.size()));
        std::copy(request.begin(), request.end(), r.begin() + kPayloadFirst);
        Payload answer;
        for (;;) {
            SealTxFrame(r.data());
            auto a = vi.HandleReport(r.data());
            if (!a) return std::nullopt;
            EXPECT_EQ((*a)[pos::kError], 0);
            const std::size_t total = GetU16(a->data(), pos::kDataBytes);
            const std::size_t n = std::min(kChunkSize, total - answer.size());
            answer.insert(answer.end(), a->begin() + kPayloadFirst, a->begin() + kPayloadFirst + n);
            if (answer.size() >= total) return answer;
            r[pos::kFrameBits] = 4;
            PutU16(r.data(), pos::kIndex, uint16_t(answer.size()));
        }
    }
    std::vector<int32_t> Integers(const Payload& p) {
        std::vector<int32_t> v(p.size() / 4);
        BytesReader r(p);
        for (auto& x : v) r.S32(x);
        return v;
    }
    tRX Status() {
        tRX rx;
        tMSys sys;
        const Payload answer = *Run(101);
        BytesReader r(answer);
        StatusAnswerLayout(r, rx, sys);
        return rx;
    }
};

TEST_F(ServiceSim, IdentityWritingChangesWhatTheInstrumentReports) {
    const Payload identity = {0x40, 0xE2, 0x01, 0x00, 23, 11, 0x36, 0x01, 2, 3, 0, 1};  // 123456, 2023-11, PX310
    ASSERT_TRUE(Run(kWriteIdentity, identity));
    Report poll{};
    poll[pos::kCommand] = 101;
    poll[pos::kFrameBits] = 3;
    SealTxFrame(poll.data());
    auto frame = vi.HandleReport(poll.data());
    ASSERT_TRUE(frame);
    EXPECT_EQ(GetU16(frame->data(), pos::kDevice), 310);
    EXPECT_EQ(GetU32(frame->data(), pos::kId), 123456u);
    const tRX rx = Status();
    EXPECT_EQ(rx.uGyariSzamEv, 23);
    EXPECT_EQ(rx.uGyariSzamHonap, 11);
    EXPECT_EQ(rx.uPXOptIn, 2);
    EXPECT_EQ(rx.uPXOptOutPrimer, 3);
    EXPECT_EQ(rx.uPXOptOutSecondary, 0);
    EXPECT_TRUE(rx.bPt1000);
}

TEST_F(ServiceSim, CalibrationsAreReadBackAndEraseRestoresFactoryValues) {
    const std::vector<int32_t> factory = Integers(*Run(110));
    const int32_t low = Integers(*Run(102)).at(0);
    now = 7.0;  // the input has moved: the next point is a different constant
    const int32_t high2 = Integers(*Run(105)).at(0);
    EXPECT_NE(low, factory[0]);
    EXPECT_EQ(Integers(*Run(110)), (std::vector<int32_t>{low, factory[1], factory[2], high2}));

    EXPECT_EQ(Integers(*Run(kWriteTimerConstant, {0xE0, 0x56, 0x09, 0x00})), std::vector<int32_t>{612064});
    EXPECT_EQ(Integers(*Run(kReadTimerConstant)), std::vector<int32_t>{612064});
    const int32_t pt = Integers(*Run(126)).at(0);
    EXPECT_EQ(Integers(*Run(129)).at(1), pt);

    vi.Settings().input.scaleHigh = 777;
    ASSERT_TRUE(Run(kEraseMemory));
    EXPECT_EQ(Integers(*Run(110)), factory);
    EXPECT_EQ(Integers(*Run(kReadTimerConstant)), std::vector<int32_t>{kNominalTimerConstant});
    EXPECT_EQ(vi.Settings().input.scaleHigh, AnalogInputBlock{}.scaleHigh);
}

TEST_F(ServiceSim, ForcedOutputFollowsThePwmThroughItsStoredPoints) {
    // One status exchange with the output forced: its reported signals.
    auto forced = [this](uint8_t force, uint16_t pwm) {
        tTX tx;
        tMSys sys;
        tx.uForce = force;
        tx.uPWM = pwm;
        Payload request;
        BytesWriter w(request);
        StatusRequestLayout(w, tx, sys);
        tRX rx;
        const Payload answer = *Run(101, request);
        BytesReader r(answer);
        StatusAnswerLayout(r, rx, sys);
        return std::pair{rx.fPXAOKimenoFizErtek, rx.fPXAOKimenoFizErtek_2};
    };
    auto words = [](const Payload& p) {
        std::vector<uint16_t> v(p.size() / 2);
        BytesReader r(p);
        for (auto& x : v) r.U16(x);
        return v;
    };
    const std::vector<uint16_t> factory = words(*Run(kReadOutputCalibration));
    ASSERT_EQ(factory, (std::vector<uint16_t>{10000, 50000, 8000, 48000}));
    EXPECT_FLOAT_EQ(forced(0x03, 30000).first, 12.0f);  // current, slot 1
    EXPECT_FLOAT_EQ(forced(0x01, 28000).first, 6.0f);  // voltage
    EXPECT_FLOAT_EQ(forced(0x11, 28000).second, 6.0f);  // the board of slot 2
    EXPECT_FLOAT_EQ(forced(0x0B, 0).first, 5.0f);  // the 5 V check

    forced(0x01, 9000);  // voltage: the next point is the 2 V one
    EXPECT_EQ(words(*Run(kCalibrateOutputLow)), std::vector<uint16_t>{9000});
    forced(0x03, 51000);
    EXPECT_EQ(words(*Run(kCalibrateOutputHigh)), std::vector<uint16_t>{51000});
    EXPECT_EQ(words(*Run(kReadOutputCalibration)), (std::vector<uint16_t>{10000, 51000, 9000, 48000}));
    EXPECT_FLOAT_EQ(forced(0x01, 9000).first, 2.0f);

    ASSERT_TRUE(Run(kEraseMemory));
    EXPECT_EQ(words(*Run(kReadOutputCalibration)), factory);
}

TEST_F(ServiceSim, RestartIsSilentForASecond) {
    ASSERT_TRUE(Run(113));
    now = 5.5;
    EXPECT_FALSE(Run(101));
    now = 6.1;
    EXPECT_TRUE(Run(101));
}

TEST_F(ServiceSim, DisplayImageShowsTheValueOrTheTestPattern) {
    const Payload image = *Run(kReadDisplayImage, {0});
    ASSERT_EQ(image.size(), kBitmapBytes);
    EXPECT_EQ(image, TextImage([&] {
                  const tRX rx = Status();  // the value the display shows now
                  const int decimals = rx.uDecimalPoint;
                  char text[32];
                  std::snprintf(text, sizeof text, "%.*f", decimals,
                                rx.iSkalazottKijezesiErtek / std::pow(10.0, decimals));
                  return std::string(text);
              }()));
    int lit = 0;
    for (int y = 0; y < kImageHeight; ++y)
        for (int x = 0; x < kImageWidth; ++x) lit += ImagePixelLit(image, x, y);
    EXPECT_GT(lit, 50);

    // A display test asked for in the status request shows instead.
    Payload request(10, 0);
    request[7] = 2;  // all lit
    ASSERT_TRUE(Run(101, request));
    EXPECT_EQ(*Run(kReadDisplayImage, {0}), Payload(kBitmapBytes, 0xFF));
}

TEST(DisplayImagePixels, MostSignificantBitIsTheLeftmostPixel) {
    struct Case {
        std::size_t byte;
        uint8_t value;
        int x, y;
    } cases[] = {{0, 0x80, 0, 0}, {0, 0x01, 7, 0}, {1, 0x80, 8, 0}, {16, 0x40, 1, 1}, {1023, 0x01, 127, 63}};
    for (const auto& c : cases) {
        std::vector<uint8_t> image(kBitmapBytes, 0);
        image[c.byte] = c.value;
        for (int y = 0; y < kImageHeight; ++y)
            for (int x = 0; x < kImageWidth; ++x)
                EXPECT_EQ(ImagePixelLit(image, x, y), x == c.x && y == c.y) << c.byte << " " << x << "," << y;
        std::vector<uint8_t> drawn = BlankImage();
        SetImagePixel(drawn, c.x, c.y);
        EXPECT_EQ(drawn, image);
    }
}

}  // namespace
