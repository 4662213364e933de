#include "sim/module_handlers.h"

#include "sim/block_handlers.h"

namespace velmar::sim {

void InstallModuleHandlers(VirtualInstrument& vi) {
    InstrumentSettings& s = vi.Settings();
    const auto in = [](auto& io, AnalogInputBlock& b) { AnalogInputLayout(io, b); };
    const auto out = [](auto& io, AnalogOutputBlock& b) { AnalogOutputLayout(io, b); };
    vi.SetHandler(kReadAnalogInput, Answer(s.input, in));
    vi.SetHandler(kWriteAnalogInput, Take(s.input, in));
    vi.SetHandler(kAnalogInputDefaults, Defaults<AnalogInputBlock>(in));
    vi.SetHandler(kReadAnalogOutput1, Answer(s.outputs[0], out));
    vi.SetHandler(kWriteAnalogOutput1, Take(s.outputs[0], out));
    vi.SetHandler(kReadAnalogOutput2, Answer(s.outputs[1], out));
    vi.SetHandler(kWriteAnalogOutput2, Take(s.outputs[1], out));
    vi.SetHandler(kAnalogOutputDefaults, Defaults<AnalogOutputBlock>(out));

    const auto limit = [](auto& io, LimitBlock& b) { LimitLayout(io, b); };
    for (int i = 0; i < 2; ++i) {
        LimitBlock& block = s.limits[std::size_t(i)];
        vi.SetHandler(i == 0 ? kReadLimit1 : kReadLimit2, Answer(block, limit));
        // New limits apply from now on: a held output is released.
        vi.SetHandler(i == 0 ? kWriteLimit1 : kWriteLimit2,
                      [take = Take(block, limit), &vi, i](const Payload& request) {
                          vi.Live().LimitWritten(i);
                          return take(request);
                      });
    }
    vi.SetHandler(kLimitDefaults, Defaults<LimitBlock>(limit));

    const auto modbus = [](auto& io, ModbusBlock& b) { ModbusLayout(io, b); };
    vi.SetHandler(kReadModbus, Answer(s.modbus, modbus));
    vi.SetHandler(kWriteModbus, Take(s.modbus, modbus));
    vi.SetHandler(kModbusDefaults, Defaults<ModbusBlock>(modbus));

    const auto display = [](auto& io, DisplayBlock& b) { DisplayLayout(io, b); };
    vi.SetHandler(kReadDisplay, Answer(s.display, display));
    vi.SetHandler(kWriteDisplay, Take(s.display, display));
    vi.SetHandler(kDisplayDefaults, Defaults<DisplayBlock>(display));

    const auto passwords = [](auto& io, PasswordBlock& b) { PasswordLayout(io, b); };
    vi.SetHandler(kReadPasswords, Answer(s.passwords, passwords));
    vi.SetHandler(kWritePasswords, Take(s.passwords, passwords));
    vi.SetHandler(kPasswordDefaults, Defaults<PasswordBlock>(passwords));
}

}  // namespace velmar::sim
