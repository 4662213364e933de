#include "sim/ac_input_handlers.h"

#include "sim/block_handlers.h"

namespace velmar::sim {

namespace {
// The converter counts a range's zero and nominal input give; a real
// instrument measures them, these are what its converter typically reads.
int16_t ZeroPoint(int range) { return int16_t(-37 + 11 * range); }
int16_t NominalPoint(int range) { return int16_t(27500 + 123 * range); }

AcCalibrationTable FactoryCalibration() {
    AcCalibrationTable t{};
    for (int range = 1; range <= kMaxCalibrationRanges; ++range) {
        t[std::size_t(2 * (range - 1))] = ZeroPoint(range);
        t[std::size_t(2 * (range - 1) + 1)] = NominalPoint(range);
    }
    // Left for the service to do: the last range of either model.
    for (int range : {6, 7}) t[std::size_t(2 * (range - 1))] = t[std::size_t(2 * (range - 1) + 1)] = kUncalibrated;
    return t;
}

// Takes one point of the range the request names; a range the model does
// not have changes nothing.
VirtualInstrument::CommandHandler Calibrate(AcCalibrationTable& table, int ranges, bool nominal) {
    return [&table, ranges, nominal](const Payload& request) {
        const int range = request.empty() ? 0 : request[0];
        if (range >= 1 && range <= ranges)
            table[std::size_t(2 * (range - 1) + (nominal ? 1 : 0))] = nominal ? NominalPoint(range) : ZeroPoint(range);
        return Payload{};
    };
}

VirtualInstrument::CommandHandler ReadTable(AcCalibrationTable& table, int ranges) {
    return [&table, ranges](const Payload&) {
        Payload out;
        BytesWriter w(out);
        AcCalibrationLayout(w, table, ranges);
        return out;
    };
}
}  // namespace

void InstallAcInputHandlers(VirtualInstrument& vi) {
    InstrumentSettings& s = vi.Settings();
    s.acCalibration = FactoryCalibration();
    const auto layout = [](auto& io, AcInputBlock& b) { AcInputLayout(io, b); };
    vi.SetHandler(kReadAcInput, Answer(s.acInput, layout));
    vi.SetHandler(kAcInputDefaults, Defaults<AcInputBlock>(layout));
    vi.SetHandler(kWriteAcInput, Take(s.acInput, layout));

    struct Model {
        uint8_t zero, nominal, read;
        int ranges;
    };
    for (const Model m : {Model{kPX350CalZero, kPX350CalNominal, kPX350CalRead, AcCalibrationRanges(350)},
                          Model{kPX370CalZero, kPX370CalNominal, kPX370CalRead, AcCalibrationRanges(370)}}) {
        vi.SetHandler(m.zero, Calibrate(s.acCalibration, m.ranges, false));
        vi.SetHandler(m.nominal, Calibrate(s.acCalibration, m.ranges, true));
        vi.SetHandler(m.read, ReadTable(s.acCalibration, m.ranges));
    }
}

}  // namespace velmar::sim
