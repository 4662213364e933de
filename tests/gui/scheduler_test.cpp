// The scheduler: priority order, slots, the pause switch, linked commands,
// the version window in every header, and the status payloads.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <type_traits>
#include <variant>

#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "gui/app/form_main.h"
#include "gui/views/latching_group.h"
#include "tests/support/fake_hid.h"

namespace velmar {
namespace {

using test::Answer;
using test::FakeHid;

struct Scheduler : ::testing::Test {
    QTemporaryDir dir;
    FakeHid hid;
    std::unique_ptr<TForm1> w;
    QWidget pxao;  // stands in for the analog output dialog
    LatchingGroup group;
    QPushButton *read = nullptr, *write = nullptr, *cal0mA = nullptr;

    void SetUp() override {
        StartupOptions o;
        o.executablePath = dir.filePath("velmar-setup");
        o.claimOnlyInstance = [](const QString&) { return true; };
        w = std::make_unique<TForm1>(hid, o);
        w->Timer_Comm->stop();
        w->Timer_1sec->stop();
        pxao.setObjectName("Form_PXAO");
        read = new QPushButton(&pxao);
        read->setObjectName("SpeedButton_ReadFromDevice");
        write = new QPushButton(&pxao);
        write->setObjectName("SpeedButton_WriteToDevice");
        group.add(read);
        group.add(write);
        cal0mA = new QPushButton(w.get());
        cal0mA->setObjectName("SpeedButton_Cal0mA");
        cal0mA->setCheckable(true);
        w->ResolveRequestButtons({&pxao});
        w->HandleHidMessage(kHidPlugged, FakeHid::kInstrument);
    }

    // The command of the frame the last tick sent, 0 when none went out.
    int Tick() {
        const auto before = hid.written.size();
        w->Timer_CommTimer();
        return hid.written.size() == before ? 0 : hid.written.back()[7];
    }
    // Answers the frame in flight with an empty payload, completing it.
    void AnswerEmpty() {
        hid.incoming[FakeHid::kInstrument].push_back(Answer{.command = hid.written.back()[7]}.Frame());
        w->HandleHidMessage(kHidReportReceived, FakeHid::kInstrument);
    }
    void Complete(
        uint8_t command, std::function<void()> decode = [] {}) {
        w->commands.SetDecoder(command, std::move(decode));
        AnswerEmpty();
    }
    // One status exchange with the given answer payload, fed chunk by chunk
    // as the transfer asks for it.
    void AnswerStatus(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(Tick(), 101);
        for (std::size_t at = 0;; at += 46) {
            Answer a{.command = 101, .dataBytes = uint16_t(bytes.size()), .index = uint16_t(at)};
            auto frame = a.Frame();
            for (std::size_t i = 0; i < 46 && at + i < bytes.size(); ++i) frame[17 + i] = bytes[at + i];
            SealTxFrame(frame.data());
            hid.incoming[FakeHid::kInstrument].push_back(frame);
            w->HandleHidMessage(kHidReportReceived, FakeHid::kInstrument);
            if (w->recMBU.uTP == 0) break;
        }
    }
};

TEST_F(Scheduler, StatusPollUnlessPausedAndNothingWhileOffline) {
    EXPECT_EQ(Tick(), 101);
    EXPECT_EQ(Tick(), 0) << "an answer is awaited";
    AnswerEmpty();
    w->findChild<QCheckBox*>("CheckBox_MBUPause")->setChecked(true);
    EXPECT_EQ(Tick(), 0);
    cal0mA->setChecked(true);
    EXPECT_EQ(Tick(), 102);
    Complete(102, [&] { cal0mA->setChecked(false); });
    EXPECT_EQ(Tick(), 0) << "paused, nothing pending";
    w->HandleHidMessage(kHidUnplugged, FakeHid::kInstrument);
    cal0mA->setChecked(true);
    EXPECT_EQ(Tick(), 0) << "offline";
}

TEST_F(Scheduler, LowerRankFirstAndAFailedRequestRepeats) {
    ASSERT_EQ(Tick(), 101);  // nothing that changes an instrument goes out before it has answered
    AnswerEmpty();
    read->setChecked(true);  // rank 24 with the primary slot
    w->bFoKimenetiModulVanNyitva = true;
    cal0mA->setChecked(true);  // rank 2
    EXPECT_EQ(Tick(), 102);
    // An error answer leaves the request pending: it goes again.
    hid.incoming[FakeHid::kInstrument].push_back(Answer{.error = 5, .command = 102}.Frame());
    w->HandleHidMessage(kHidReportReceived, FakeHid::kInstrument);
    EXPECT_EQ(Tick(), 102);
    Complete(102, [&] { cal0mA->setChecked(false); });
    EXPECT_EQ(Tick(), 203);
}

// Whatever error code an answer carries, timeout (6) included, the link
// polls again: at the next tick, or for a code without a text once the
// answer timer has run out. It must never wait for an answer that came.
TEST_F(Scheduler, AnyErrorAnswerLeavesTheLinkPolling) {
    for (int code = 1; code <= 255; ++code) {
        ASSERT_EQ(Tick(), 101) << "before the answer with code " << code;
        hid.incoming[FakeHid::kInstrument].push_back(Answer{.error = uint8_t(code), .command = 101}.Frame());
        w->HandleHidMessage(kHidReportReceived, FakeHid::kInstrument);
        if (!FindErrorText(uint8_t(code))) {
            ASSERT_TRUE(w->TimerTimeOut->isActive()) << code;
            w->TimerTimeOutTimer();
        }
        EXPECT_EQ(Tick(), 101) << "after the answer with code " << code;
        AnswerEmpty();
    }
}

// A frame the transport cannot send is told at once, in the header and on
// the monitor, not by the answer timer 200 ms later; the request stays
// pending and goes at the next poll.
TEST_F(Scheduler, AFailedWriteIsShownAtOnceAndTheRequestGoesAgain) {
    ASSERT_EQ(Tick(), 101);
    AnswerEmpty();
    cal0mA->setChecked(true);
    hid.writeFails = true;
    EXPECT_EQ(Tick(), 102);
    EXPECT_EQ(w->findChild<QLabel*>("Label_MBURxError")->text(),
              QString::fromUtf8("10: A keret nem ment el a készülékhez."));
    auto* header = w->findChild<QLabel*>("Label_MBURxError2");
    EXPECT_EQ(header->text(), QString::fromUtf8("Küldési hiba!"));
    EXPECT_FALSE(header->isHidden());
    EXPECT_FALSE(w->TimerTimeOut->isActive()) << "no answer is waited for";
    EXPECT_FALSE(w->recMBU.bWaitForAnswer);
    EXPECT_TRUE(cal0mA->isChecked()) << "the request is still pending";
    hid.writeFails = false;
    EXPECT_EQ(Tick(), 102);
    Complete(102, [&] { cal0mA->setChecked(false); });
    EXPECT_EQ(w->findChild<QLabel*>("Label_MBURxError")->text(), "0");
}

TEST_F(Scheduler, OutputDialogRequestsFollowTheSlot) {
    struct Case {
        bool primary;
        QPushButton* Scheduler::*button;
        int command;
    } cases[] = {
        {true, &Scheduler::read, 203},
        {true, &Scheduler::write, 204},
        {false, &Scheduler::read, 205},
        {false, &Scheduler::write, 206},
    };
    for (const auto& c : cases) {
        w->bFoKimenetiModulVanNyitva = c.primary;
        (this->*c.button)->setChecked(true);
        EXPECT_EQ(Tick(), c.command);
        Complete(uint8_t(c.command), [&] { (this->*c.button)->setChecked(false); });
    }
}

TEST_F(Scheduler, WriteReleasesThePendingRead) {
    ASSERT_EQ(Tick(), 101);  // nothing that changes an instrument goes out before it has answered
    AnswerEmpty();
    w->bFoKimenetiModulVanNyitva = true;
    read->setChecked(true);
    write->setChecked(true);
    EXPECT_FALSE(read->isChecked());
    EXPECT_EQ(Tick(), 204);
    // The write's answer asks for a read-back.
    Complete(204, [&] { read->setChecked(true); });
    EXPECT_FALSE(write->isChecked());
    EXPECT_EQ(Tick(), 203);
    read->setChecked(false);
    EXPECT_EQ(Tick(), 0) << "all may be up; the poll waits for the answer";
}

TEST_F(Scheduler, LinkedCommandGoesFirstWhateverThePhase) {
    cal0mA->setChecked(true);
    w->recMBU.uLinkedCommand = 130;
    EXPECT_EQ(Tick(), 130);
    EXPECT_EQ(w->recMBU.uLinkedCommand, 0);
    AnswerEmpty();
    EXPECT_EQ(Tick(), 102);
}

TEST_F(Scheduler, HistoryAndVersionWindowInTheHeader) {
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(Tick(), 101);
        AnswerEmpty();
    }
    EXPECT_EQ(w->findChild<QLabel*>("Label_Commands")->text(), "n*101, ");
    EXPECT_EQ(w->findChild<QLabel*>("Label_MBU_Commands")->text(), "n*101, ");
    const auto& f = hid.written.front();
    EXPECT_EQ(GetU16(f.data(), 1), 0) << "device type before identification";
    EXPECT_EQ(GetU16(f.data(), 3), 8225);
    EXPECT_EQ(GetU16(f.data(), 5), 0);
    EXPECT_EQ(GetU32(f.data(), 13), kHostId);
    EXPECT_EQ(w->recTX.uHostID, kHostId);
    // The status request: configuration word 1, then idle controls; the
    // output type chosen at start (current) is always sent.
    EXPECT_EQ(GetU16(f.data(), 9), 10);
    const uint8_t request[] = {1, 0, 0, 0, 2, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(request), std::end(request), f.begin() + 17));

    w->recMBU.uDeviceType = 330;
    Tick();
    EXPECT_EQ(GetU16(hid.written.back().data(), 1), 330);
    EXPECT_EQ(GetU16(hid.written.back().data(), 3), 8390);
}

// A status answer as the instrument sends it, cut to its first n bytes.
std::vector<uint8_t> StatusBytes(std::size_t n, float percent) {
    tRX rx;
    tMSys sys;
    rx.uGyariSzamEv = 22;
    rx.fKimenetSzazalek = percent;
    rx.fKimenetSzazalek_2 = percent;
    rx.uPXOptIn = 1;
    rx.uPXOptOutPrimer = 5;
    rx.uPXOptOutSecondary = 3;
    rx.uDebounced = 7;
    rx.uGlobalErrorCode = 9;
    std::vector<uint8_t> out;
    BytesWriter bw(out);
    StatusAnswerLayout(bw, rx, sys);
    out.resize(n);
    return out;
}

TEST_F(Scheduler, StatusAnswerDecoding) {
    struct Case {
        std::size_t length;
        float percent;
        float stored;
        bool laterFieldsZero;
    } cases[] = {
        {106, 0.5f, 0.5f, false},
        {106, 20000.0f, 10000.0f, false},
        {106, NAN, 10000.0f, false},
        {52, 0.5f, 0.5f, true},  // ends after the secondary output module
    };
    for (const auto& c : cases) {
        AnswerStatus(StatusBytes(c.length, c.percent));
        EXPECT_EQ(w->recRX.uGyariSzamEv, 22);
        EXPECT_EQ(w->recRX.fKimenetSzazalek, c.stored);
        EXPECT_EQ(w->recRX.uPXOptOutSecondary, 3);
        EXPECT_EQ(w->recRX.uDebounced, c.laterFieldsZero ? 0 : 7) << c.length;
        EXPECT_EQ(w->recRX.uGlobalErrorCode, c.laterFieldsZero ? 0 : 9) << c.length;
        if (!c.laterFieldsZero) EXPECT_EQ(w->recRX.fKimenetSzazalek_2, c.stored);
    }
}

// The status payloads' offsets, written out here rather than taken from the
// layout the program shares with the virtual instrument: a field moved or two
// fields of the same width swapped there would otherwise go unnoticed.
using RxField = std::variant<uint8_t tRX::*, bool tRX::*, uint16_t tRX::*, int16_t tRX::*, uint32_t tRX::*,
                             int32_t tRX::*, float tRX::*>;
struct AnswerField {
    std::size_t offset;
    RxField field;
    double value;  // distinct among the fields of one width
};
const AnswerField kStatusAnswerFields[] = {
    {0, &tRX::uGyariSzamEv, 100},
    {1, &tRX::uGyariSzamHonap, 101},
    {6, &tRX::iRawADCData, -1000006},
    {10, &tRX::iAveragedADCData, -1000010},
    {14, &tRX::uErrorBits, 3000000014},
    {18, &tRX::fFizikaiMennyiseg, 18.25},
    {22, &tRX::fKimenetSzazalek, 22.25},
    {26, &tRX::iSkalazottKijezesiErtek, -1000026},
    {30, &tRX::uInputType, 130},
    {31, &tRX::uDecimalPoint, 131},
    {32, &tRX::uCRCOKbits, 132},
    {33, &tRX::uAfterWriteOKbits, 133},
    {34, &tRX::uSPS, 50034},
    {36, &tRX::bPt1000, 1},
    {37, &tRX::recFRAMCommon_uSizeKB, 137},
    {38, &tRX::uSecondsOfOperation, 3000000038},
    {42, &tRX::uCRCOKbits2, 142},
    {43, &tRX::uAfterWriteOKbits2, 143},
    {44, &tRX::fResistance, 44.25},
    {48, &tRX::uLimit, 148},
    {49, &tRX::uPXOptIn, 149},
    {50, &tRX::uPXOptOutPrimer, 150},
    {51, &tRX::uPXOptOutSecondary, 151},
    {52, &tRX::uDebounced, 152},
    {53, &tRX::uMainLoopFrequency, 3000000053},
    {57, &tRX::uGlobalErrorCode, 157},
    {58, &tRX::uSlaveStatusBits, 158},
    {59, &tRX::iDCAveragedMO, -30059},
    {61, &tRX::uCRCOKbits3, 161},
    {62, &tRX::uAfterWriteOKbits3, 162},
    {63, &tRX::uGain, 163},
    {64, &tRX::fiSkalazottKijezesiErtekPontos, 64.25},
    {68, &tRX::uSizeInBytesFRAM1, 50068},
    {70, &tRX::uSizeInBytesFRAM2, 50070},
    {72, &tRX::uSizeInBytesFRAM3, 50072},
    {74, &tRX::fValue1, 74.25},
    {78, &tRX::fValue2, 78.25},
    {82, &tRX::uCurrentDecimalPoint2, 182},
    {83, &tRX::uPXRT_Mode, 183},
    {84, &tRX::uJelszoUser, 50084},
    {86, &tRX::uJelszoSupervisor, 50086},
    {88, &tRX::fPXAOKimenoFizErtek, 88.25},
    {92, &tRX::uAnalogueTypeFor101, 192},
    {93, &tRX::fPXAOKimenoFizErtek_2, 93.25},
    {97, &tRX::uAnalogueTypeFor101_2, 197},
    {98, &tRX::iSkalazottKijezesiErtek_2, -1000098},
    {102, &tRX::fKimenetSzazalek_2, 102.25},
};

void PutLittleEndian(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) bytes.at(at + i) = uint8_t(value >> (8 * i));
}

TEST_F(Scheduler, StatusAnswerFieldsAtTheirOffsets) {
    std::vector<uint8_t> bytes(106, 0);
    PutLittleEndian(bytes, 2, 3000000002u, 4);  // uConfigOfUnitBits, kept in the system record
    for (const AnswerField& f : kStatusAnswerFields) {
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(tRX{}.*member)>;
                if constexpr (std::is_same_v<T, float>)
                    PutLittleEndian(bytes, f.offset, std::bit_cast<uint32_t>(float(f.value)), 4);
                else
                    PutLittleEndian(bytes, f.offset, uint32_t(T(f.value)), sizeof(T));
            },
            f.field);
    }
    AnswerStatus(bytes);
    EXPECT_EQ(w->recMSys.uConfigOfUnitBits, 3000000002u);
    for (const AnswerField& f : kStatusAnswerFields)
        std::visit([&](auto member) { EXPECT_EQ(double(w->recRX.*member), f.value) << "offset " << f.offset; },
                   f.field);
}

TEST(StatusRequest, FieldsAtTheirOffsets) {
    tTX tx;
    tMSys sys;
    sys.uConfigOfPCProgramBits = 0x04030201;
    tx.uForce = 0x15;
    tx.uPWM = 0xBEEF;
    tx.uTestForce = 0x06;
    tx.uLimitForceAndEnable = 0xFA;
    tx.uDirectControl = 0x03;
    std::vector<uint8_t> bytes;
    BytesWriter out(bytes);
    StatusRequestLayout(out, tx, sys);
    // configuration word at 0, force bits at 4, PWM at 5, test pattern at 7,
    // limit forcing at 8, measuring mode at 9
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x01, 0x02, 0x03, 0x04, 0x15, 0xEF, 0xBE, 0x06, 0xFA, 0x03}));
}

}  // namespace
}  // namespace velmar
