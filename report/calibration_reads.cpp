#include "report/calibration_reads.h"

#include "core/device/number_mask.h"
#include "core/device/service_commands.h"
#include "core/link/payload_io.h"

namespace velmar {

namespace {

constexpr CalibrationRead kAnalogInput{
    110, "Bemenet kalibrálás PXAI", {"Kalibrálás 0 mA", "Kalibrálás 20 mA", "Kalibrálás 0 V", "Kalibrálás 10 V"}};
constexpr CalibrationRead kPt{129,
                              "Bemenet kalibrálás PXPt",
                              {"0 ohm, 4 vezeték", "300 ohm, 4 vezeték", "0 ohm, 3 vezeték", "300 ohm, 3 vezeték"}};
constexpr CalibrationRead kTimer{kReadTimerConstant, "Timer időalap kalibrálás", {"Időalap állandó"}};
constexpr CalibrationRead kPX210{239, "Bemenet kalibrálás PX210USB", {"Kalibrálás 4 mA", "Kalibrálás 20 mA"}};

constexpr uint8_t kAnalogInputModule = 1, kPtModule = 2, kTimerModule = 7;

}  // namespace

std::vector<const CalibrationRead*> CalibrationReadsOf(const InstrumentFit& fit) {
    std::vector<const CalibrationRead*> out;
    if (!fit.service) return out;
    if (fit.deviceType == 210) out.push_back(&kPX210);
    if (fit.optIn == kAnalogInputModule) out.push_back(&kAnalogInput);
    if (fit.optIn == kPtModule) out.push_back(&kPt);
    if (fit.optIn == kTimerModule) out.push_back(&kTimer);
    return out;
}

std::vector<CalibrationValue> DecodeCalibration(const CalibrationRead& read, const Bytes& answer) {
    const ServiceCommand* command = FindServiceCommand(read.command);
    std::vector<CalibrationValue> out;
    BytesReader in(answer);
    for (std::size_t i = 0; i < read.points.size() && read.points[i]; ++i) {
        if (answer.size() < 4 * (i + 1)) break;
        int32_t v = 0;
        in.S32(v);
        out.push_back({read.caption, read.points[i], FormatMask(v, command ? command->mask : "0")});
    }
    return out;
}

}  // namespace velmar
