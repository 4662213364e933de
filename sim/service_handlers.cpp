#include "sim/service_handlers.h"

#include <cmath>
#include <memory>

#include "core/device/number_mask.h"
#include "core/device/service_commands.h"
#include "core/link/payload_io.h"
#include "sim/display_image.h"
#include "sim/pwm_output.h"
#include "sim/virtual_instrument.h"

namespace velmar::sim {

namespace {
constexpr uint8_t kRestart = 113;
constexpr double kRestartSeconds = 1.0;

// The constants a new instrument leaves the factory with.
tRX FactoryCalibration() {
    tRX c;
    c.iCalLow1 = kNominalTimerConstant;
    c.iCalHigh1 = 7500000;
    c.iCalHigh2 = 7000000;
    c.iCalPtXohm4W = c.iCalPtXohm3W = 3000000;
    return c;
}

Payload Integers(const tRX& cal, const ServiceCommand& c) {
    Payload out;
    BytesWriter w(out);
    for (int i = 0; i < FieldCount(c); ++i) w.S32(cal.*c.fields[std::size_t(i)]);
    return out;
}

// The displayed value as the instrument's display shows it.
std::string DisplayText(VirtualInstrument& vi) {
    const int decimals = std::min<int>(vi.Settings().input.decimals, 4);
    const double value = std::round(vi.Live().DisplayValue()) / std::pow(10.0, decimals);
    std::string mask = "0";
    if (decimals > 0) mask += "." + std::string(std::size_t(decimals), '0');
    return FormatMask(value, mask, ".");
}
}  // namespace

void InstallServiceHandlers(VirtualInstrument& vi) {
    auto cal = std::make_shared<tRX>(FactoryCalibration());

    vi.SetHandler(kWriteIdentity, [&vi](const Payload& request) {
        tTX tx;
        BytesReader r(request);
        IdentityLayout(r, tx);
        InstrumentConfig c = vi.Config();
        c.deviceType = tx.uDeviceType;
        c.serial = tx.uDeviceID;
        c.madeYear = tx.uGyariSzamEv;
        c.madeMonth = tx.uGyariSzamHonap;
        c.optIn = tx.uPXOptIn;
        c.optOut1 = tx.uPXOptOutPrimer;
        c.optOut2 = tx.uPXOptOutSecondary;
        c.pt1000 = tx.bPt1000;
        vi.SetConfig(c);
        return Payload{};
    });
    vi.SetHandler(kWritePt1000, [&vi](const Payload& request) {
        InstrumentConfig c = vi.Config();
        c.pt1000 = !request.empty() && request[0] != 0;
        vi.SetConfig(c);
        return Payload{};
    });
    vi.SetHandler(kEraseMemory, [&vi, cal](const Payload&) {
        vi.Settings() = InstrumentSettings{};
        *cal = FactoryCalibration();
        vi.Live().Pwm().Reset();
        return Payload{};
    });
    vi.SetHandler(kRestart, [&vi](const Payload&) {
        vi.SilenceFor(kRestartSeconds);
        return Payload{};
    });
    vi.SetHandler(kReadDisplayImage, [&vi](const Payload&) {
        const Payload pattern = TestPatternImage(vi.Live().DisplayTestPattern());
        return pattern.empty() ? TextImage(DisplayText(vi)) : pattern;
    });

    InstallPwmHandlers(vi);
    for (const ServiceCommand& c : ServiceCommands()) {
        if (FieldCount(c) == 0) continue;
        if (c.code == kWriteTimerConstant) {
            vi.SetHandler(c.code, [cal, &c](const Payload& request) {
                BytesReader r(request);
                r.S32(cal.get()->*c.fields[0]);
                return Integers(*cal, c);
            });
        } else if (c.permanent) {
            // The present input becomes the calibration point: a constant
            // that follows the signal, so each calibration stores its own.
            vi.SetHandler(c.code, [cal, &c, &vi](const Payload&) {
                cal.get()->*c.fields[0] = int32_t(c.code) * 1000 + int32_t(std::lround(vi.Live().Fraction() * 100));
                return Integers(*cal, c);
            });
        } else {
            vi.SetHandler(c.code, [cal, &c](const Payload&) { return Integers(*cal, c); });
        }
    }
}

}  // namespace velmar::sim
