#include "sim/settings_set.h"

#include <algorithm>

#include "core/link/payload_io.h"
#include "sim/virtual_instrument.h"

namespace velmar::sim {

namespace {
// The set counts brightness in steps, the indicators' display block in
// percent.
uint8_t StepOfPercent(uint8_t percent) { return uint8_t(std::clamp((percent + 5) / 10, 1, 10)); }
uint8_t PercentOfStep(uint8_t step) { return uint8_t(std::clamp<int>(step, 1, 10) * 10); }
}  // namespace

SettingsSet GatherSettingsSet(const InstrumentSettings& s) {
    SettingsSet set;
    const SettingsSetExtras& x = s.setExtras;
    set.brightness = StepOfPercent(s.display.brightness);
    set.tagname = x.tagname;
    set.dimension = x.dimension;
    set.leadingZeros = s.display.leadingZeros;
    set.averageCount = s.input.averageCount;
    const AnalogOutputBlock& out = s.outputs[0];
    set.analogueType = out.type;
    set.analogueLow = out.scaleLow;
    set.analogueHigh = out.scaleHigh;
    set.analogueErrorHigh = out.errorHigh;
    set.analogueErrorDisabled = out.errorDisabled;
    set.barGraphMode = x.barGraphMode;
    set.bgLow = x.bgLow;
    set.bgHigh = x.bgHigh;
    set.inputType = s.input.inputType;
    set.decimals = s.input.decimals;
    set.rounding = s.input.rounding;
    set.scaleLow = s.input.scaleLow;
    set.scaleHigh = s.input.scaleHigh;
    set.limitDisplayMode = x.limitDisplayMode;
    for (std::size_t i = 0; i < kSettingsSetLimits; ++i) {
        if (i < s.limits.size()) {
            const LimitBlock& l = s.limits[i];
            set.limits[i] = {l.mode, l.hold, l.a, l.b, l.hysteresis};
            set.timeBase[i] = l.timeBase;
            set.pulseWidth[i] = l.pulseWidth;
        } else {
            set.limits[i] = x.limits[i];
            set.timeBase[i] = x.timeBase[i];
            set.pulseWidth[i] = x.pulseWidth[i];
        }
    }
    set.modbusProtocol = s.modbus.protocol;
    set.modbusParity = s.modbus.parity;
    set.modbusBaudRate = s.modbus.baudRate;
    set.modbusAddress = s.modbus.address;
    set.ptWires = s.rtd.wires;  // the Pt input's wiring, built in or a module
    return set;
}

void SpreadSettingsSet(const SettingsSet& set, InstrumentSettings& s) {
    SettingsSetExtras& x = s.setExtras;
    s.display.brightness = PercentOfStep(set.brightness);
    x.tagname = set.tagname;
    x.dimension = set.dimension;
    s.display.leadingZeros = set.leadingZeros;
    s.input.averageCount = set.averageCount;
    AnalogOutputBlock& out = s.outputs[0];
    out.type = set.analogueType;
    out.scaleLow = set.analogueLow;
    out.scaleHigh = set.analogueHigh;
    out.errorHigh = set.analogueErrorHigh;
    out.errorDisabled = set.analogueErrorDisabled;
    x.barGraphMode = set.barGraphMode;
    x.bgLow = set.bgLow;
    x.bgHigh = set.bgHigh;
    s.input.inputType = set.inputType;
    s.input.decimals = set.decimals;
    s.input.rounding = set.rounding;
    s.input.scaleLow = set.scaleLow;
    s.input.scaleHigh = set.scaleHigh;
    x.limitDisplayMode = set.limitDisplayMode;
    for (std::size_t i = 0; i < kSettingsSetLimits; ++i) {
        if (i < s.limits.size()) {
            LimitBlock& l = s.limits[i];
            const SettingsSetLimit& in = set.limits[i];
            l.mode = in.mode;
            l.hold = in.hold;
            l.a = in.a;
            l.b = in.b;
            l.hysteresis = in.hysteresis;
            l.timeBase = set.timeBase[i];
            l.pulseWidth = set.pulseWidth[i];
        } else {
            x.limits[i] = set.limits[i];
            x.timeBase[i] = set.timeBase[i];
            x.pulseWidth[i] = set.pulseWidth[i];
        }
    }
    s.modbus.protocol = set.modbusProtocol;
    s.modbus.parity = set.modbusParity;
    s.modbus.baudRate = set.modbusBaudRate;
    s.modbus.address = set.modbusAddress;
    s.rtd.wires = set.ptWires;
}

void InstallSettingsSetHandlers(VirtualInstrument& vi) {
    const auto answer = [](const InstrumentSettings& s) {
        SettingsSet set = GatherSettingsSet(s);
        Payload out;
        BytesWriter w(out);
        SettingsSetLayout(w, set);
        return out;
    };
    vi.SetHandler(kReadSettingsSet, [&vi, answer](const Payload&) { return answer(vi.Settings()); });
    vi.SetHandler(kSettingsSetDefaults, [answer](const Payload&) { return answer(InstrumentSettings{}); });
    vi.SetHandler(kWriteSettingsSet, [&vi](const Payload& request) {
        SettingsSet set;
        BytesReader r(request);
        SettingsSetLayout(r, set);
        SpreadSettingsSet(set, vi.Settings());
        // New limits apply from now on, as when written on their own.
        vi.Live().LimitWritten(0);
        vi.Live().LimitWritten(1);
        return Payload{};
    });
}

}  // namespace velmar::sim
