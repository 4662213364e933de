#include "core/device/service_commands.h"

namespace velmar {

namespace {
constexpr const char* kCal = "# ### ##0";
constexpr const char* kTimer = "######0";

constexpr ServiceCommand kCommands[] = {
    {kWriteIdentity, "SpeedButton_GyariSzamAKeszulekbe", {}, {}, nullptr, true, nullptr},
    {102, "SpeedButton_Cal0mA", {&tRX::iCalLow1}, {"Label_RAM1_iCalLow1"}, kCal, true, nullptr},
    {103, "SpeedButton_Cal20mA", {&tRX::iCalHigh1}, {"Label_RAM1_iCalHigh1"}, kCal, true, nullptr},
    {104, "SpeedButton_Cal0V", {&tRX::iCalLow2}, {"Label_RAM1_iCalLow2"}, kCal, true, nullptr},
    {105, "SpeedButton_Cal10V", {&tRX::iCalHigh2}, {"Label_RAM1_iCalHigh2"}, kCal, true, nullptr},
    {kEraseMemory, "SpeedButton_EraseFRAM1", {}, {}, nullptr, true, nullptr},
    {110,
     "SpeedButton_ReadCalIn",
     {&tRX::iCalLow1, &tRX::iCalHigh1, &tRX::iCalLow2, &tRX::iCalHigh2},
     {"Label_RAM1_iCalLow1", "Label_RAM1_iCalHigh1", "Label_RAM1_iCalLow2", "Label_RAM1_iCalHigh2"},
     kCal,
     false,
     nullptr},
    // The output's points are words whose field depends on the output type:
    // the output calibration page decodes them.
    {kCalibrateOutputLow, "SpeedButton_CalPWML", {}, {}, nullptr, true, nullptr},
    {kCalibrateOutputHigh, "SpeedButton_CalPWMH", {}, {}, nullptr, true, nullptr},
    {kReadOutputCalibration, "SpeedButton_ReadPWMCal", {}, {}, nullptr, false, nullptr},
    {kReadDisplayImage, "SpeedButton_ReadDisplay", {}, {}, nullptr, false, nullptr},
    {125, "SpeedButton_iCalPt0ohm4W", {&tRX::iCalPt0ohm4W}, {"Label_iCalPt0ohm4W"}, kCal, true, nullptr},
    {126, "SpeedButton_iCalPtXohm4W", {&tRX::iCalPtXohm4W}, {"Label_iCalPtXohm4W"}, kCal, true, nullptr},
    {127, "SpeedButton_iCalPt0ohm3W", {&tRX::iCalPt0ohm3W}, {"Label_iCalPt0ohm3W"}, kCal, true, nullptr},
    {128, "SpeedButton_iCalPtXohm3W", {&tRX::iCalPtXohm3W}, {"Label_iCalPtXohm3W"}, kCal, true, nullptr},
    {129,
     "SpeedButton_ReadCalPt",
     {&tRX::iCalPt0ohm4W, &tRX::iCalPtXohm4W, &tRX::iCalPt0ohm3W, &tRX::iCalPtXohm3W},
     {"Label_iCalPt0ohm4W", "Label_iCalPtXohm4W", "Label_iCalPt0ohm3W", "Label_iCalPtXohm3W"},
     kCal,
     false,
     nullptr},
    {kWritePt1000, "SpeedButton_bPt1000", {}, {}, nullptr, false, nullptr},
    // The instrument answers with what it stored; the read-back follows.
    {kWriteTimerConstant,
     "SpeedButton_Cal0mA2",
     {&tRX::iCalLow1},
     {"Edit_RAM1_iCalLow1"},
     kTimer,
     true,
     "SpeedButton_ReadCalIn2"},
    {kReadTimerConstant, "SpeedButton_ReadCalIn2", {&tRX::iCalLow1}, {"Edit_RAM1_iCalLow1"}, kTimer, false, nullptr},
    {231, "SpeedButton_PX310_Cal0", {&tRX::iCalLow1}, {"Label_RAM1_iCalLow1_2"}, kCal, true, nullptr},
    {232, "SpeedButton_PX310_Cal490", {&tRX::iCalHigh1}, {"Label_RAM1_iCalHigh1_2"}, kCal, true, nullptr},
    {233, "SpeedButton_PX310_Cal3Wires", {&tRX::iCalLow2}, {"Label_RAM1_iCalLow_2"}, kCal, true, nullptr},
    {237, "SpeedButton_Cal4mA_PX210", {&tRX::iCalLow1}, {"Label_Cal4mA_PX210"}, kCal, true, nullptr},
    {238, "SpeedButton_Cal20mA_PX210", {&tRX::iCalHigh1}, {"Label_Cal20mA_PX210"}, kCal, true, nullptr},
    {239,
     "SpeedButton_ReadCalIn_PX210",
     {&tRX::iCalLow1, &tRX::iCalHigh1},
     {"Label_Cal4mA_PX210", "Label_Cal20mA_PX210"},
     kCal,
     false,
     nullptr},
};
}  // namespace

std::span<const ServiceCommand> ServiceCommands() { return kCommands; }

const ServiceCommand* FindServiceCommand(uint8_t code) {
    for (const auto& c : kCommands)
        if (c.code == code) return &c;
    return nullptr;
}

int FieldCount(const ServiceCommand& c) {
    int n = 0;
    while (n < int(c.fields.size()) && c.fields[std::size_t(n)]) ++n;
    return n;
}

}  // namespace velmar
