#include "core/link/command_table.h"

#include <array>

namespace velmar {

namespace {
using enum PayloadDir;
constexpr std::array<CommandInfo, 67> kCommands{{
    {1, Out, "write serial number, production date, device type and options", true},
    {101, Both, "status poll"},
    {102, In, "calibrate 0 mA", true},
    {103, In, "calibrate 20 mA", true},
    {104, In, "calibrate 0 V", true},
    {105, In, "calibrate 10 V", true},
    {106, None, "erase the instrument's memory", true},
    {109, Out, "write the full settings set", true},
    {110, In, "read the input calibration"},
    {113, None, "restart the instrument", true},
    {114, In, "calibrate the low output point", true},
    {115, In, "calibrate the high output point", true},
    {116, In, "read the output calibration"},
    {123, Both, "read the display image"},
    {125, In, "calibrate 0 ohm, 4 wires", true},
    {126, In, "calibrate 300 ohm, 4 wires", true},
    {127, In, "calibrate 0 ohm, 3 wires", true},
    {128, In, "calibrate 300 ohm, 3 wires", true},
    {129, In, "read the Pt calibration"},
    {130, Out, "write the Pt1000 flag", true},
    {131, In, "read the full settings set"},
    {132, In, "read the factory-default settings set"},
    {201, In, "analog input: read"},
    {202, Out, "analog input: write", true},
    {203, In, "analog output, primary slot: read"},
    {204, Out, "analog output, primary slot: write", true},
    {205, In, "analog output, secondary slot: read"},
    {206, Out, "analog output, secondary slot: write", true},
    {207, In, "limit relay, primary slot: read"},
    {208, Out, "limit relay, primary slot: write", true},
    {209, In, "limit relay, secondary slot: read"},
    {210, Out, "limit relay, secondary slot: write", true},
    {211, In, "analog input: factory defaults"},
    {212, In, "analog output: factory defaults"},
    {213, In, "limit relay: factory defaults"},
    {214, In, "Modbus: read"},
    {215, Out, "Modbus: write", true},
    {216, In, "Modbus: factory defaults"},
    {217, In, "display settings: read"},
    {218, Out, "display settings: write", true},
    {219, In, "display settings: factory defaults"},
    {220, In, "passwords: read"},
    {221, In, "passwords: factory defaults"},
    {222, Out, "passwords: write", true},
    {226, Both, "write and read back the timer calibration constant", true},
    {227, In, "read the timer calibration constant"},
    {228, In, "RTD input: read"},
    {229, In, "RTD input: factory defaults"},
    {230, Out, "RTD input: write", true},
    {231, In, "PX310: calibrate 0 ohm, 4 wires", true},
    {232, In, "PX310: calibrate 490 ohm, 4 wires", true},
    {233, In, "PX310: calibrate 110 ohm, 3 wires", true},
    {234, In, "PX210: read settings"},
    {235, In, "PX210: factory defaults"},
    {236, Out, "PX210: write settings", true},
    {237, In, "PX210: calibrate 4 mA", true},
    {238, In, "PX210: calibrate 20 mA", true},
    {239, In, "PX210: read the calibration"},
    {241, In, "AC input: read"},
    {242, In, "AC input: factory defaults"},
    {243, Out, "AC input: write", true},
    {244, Out, "AC input, PX350: calibrate zero", true},
    {245, Out, "AC input, PX350: calibrate nominal", true},
    {246, In, "AC input, PX350: read the calibration table"},
    {247, Out, "AC input, PX370: calibrate zero", true},
    {248, Out, "AC input, PX370: calibrate nominal", true},
    {249, In, "AC input, PX370: read the calibration table"},
}};
}  // namespace

std::span<const CommandInfo> CommandTable() { return kCommands; }

bool ChangesInstrument(uint8_t code) {
    const CommandInfo* c = FindCommand(code);
    return c && c->changesInstrument;
}

const CommandInfo* FindCommand(uint8_t code) {
    for (const auto& c : CommandTable())
        if (c.code == code) return &c;
    return nullptr;
}

VersionDate MinimumFirmwareFor(uint16_t deviceType) {
    // The PX330 needs the firmware that came with this program's release.
    return deviceType == 330 ? MakeVersionDate(2022, 7, 21) : MakeVersionDate(2022, 2, 11);
}

}  // namespace velmar
