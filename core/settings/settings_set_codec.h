#pragma once
// The settings set: the instrument's whole user configuration in one
// payload (commands 131, 132 and 109), shared by the program and the
// virtual instrument.

#include <array>
#include <cstdint>

#include "core/link/field_meta.h"
#include "core/modules/analog_input_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/modbus_codec.h"
#include "core/modules/signal_options.h"

namespace velmar {

constexpr uint8_t kReadSettingsSet = 131, kSettingsSetDefaults = 132, kWriteSettingsSet = 109;
constexpr std::size_t kSettingsSetSize = 139;
constexpr std::size_t kSettingsSetLimits = 4;

// The settings pages name the limit modes more briefly than the limit
// relay dialog does; both travel as the item index.
inline constexpr FieldOption kSettingsSetLimitModeOptions[] = {
    {0, "1. Kikapcsolva"},
    {1, "2. Nagyobb vagy egyenlő, mint A"},
    {2, "3. Kisebb vagy egyenlő, mint A"},
    {3, "4. A és B között"},
    {4, "5. Kisebb, mint A vagy nagyobb, mint B"},
    {5, "6. Fűtés, feltöltés"},
    {6, "7. Hűtés, leengedés"},
    {7, "8. Mindig bekapcsolva"},
    {8, "9. Delta t növekedés"},
    {9, "10. Delta t csökkenés"},
    {10, "11. Delta t változás"},
};
inline constexpr FieldOption kLimitDisplayModeOptions[] = {{0, "Kikapcsolva"}, {1, "Dinamikus"},
                                                           {2, "Időzített"},   {3, "Statikus"},
                                                           {4, "Változáskor"}, {5, "Mindig bekapcsolva"}};
inline constexpr FieldOption kBarGraphModeOptions[] = {{0, "Sáv"}, {1, "Pont mód"}};

struct SettingsSetLimit {
    uint8_t mode = 0;  // item index of the limit modes
    bool hold = false;
    int32_t a = 0;  // value A, or the change in the delta modes; implied decimals
    int32_t b = 0;
    int32_t hysteresis = 0;

    bool operator==(const SettingsSetLimit&) const = default;
};

struct SettingsSet {
    uint8_t brightness = 8;  // display brightness step 1..10
    std::array<uint8_t, 22> tagname{};  // Latin-1, zero-terminated
    std::array<uint8_t, 9> dimension{};  // unit text, Latin-1, zero-terminated
    bool leadingZeros = false;
    uint8_t averageCount = 16;  // 1, 5, 8, 16, 24 or 40
    uint8_t analogueType = 0;  // analog output 1
    int32_t analogueLow = 0;
    int32_t analogueHigh = 10000;
    bool analogueErrorHigh = false;
    uint8_t barGraphMode = 0;  // 1 dot, 0 bar
    int32_t bgLow = 0;  // display value at bar graph 0 %, implied decimals
    int32_t bgHigh = 10000;
    uint8_t inputType = 0;
    uint8_t decimals = 2;
    uint8_t rounding = 1;  // display rounding step 1, 2 or 5
    int32_t scaleLow = 0;
    int32_t scaleHigh = 10000;
    uint8_t limitDisplayMode = 1;
    std::array<SettingsSetLimit, kSettingsSetLimits> limits{};
    std::array<uint16_t, kSettingsSetLimits> timeBase{60, 60, 60, 60};  // delta modes, seconds
    std::array<uint8_t, kSettingsSetLimits> pulseWidth{2, 2, 2, 2};  // seconds
    uint8_t modbusProtocol = 0;
    uint8_t modbusParity = 1;
    uint8_t modbusBaudRate = 5;
    uint8_t modbusAddress = 1;
    bool analogueErrorDisabled = false;
    uint8_t ptWires = 4;  // Pt sensor wires 2..4

    bool operator==(const SettingsSet&) const = default;
};

template <class IO>
void SettingsSetLayout(IO& io, SettingsSet& s) {
    using namespace field;
    io.U8(s.brightness, Code("brightness", "Fényerő", 1, 10));
    for (uint8_t& c : s.tagname) io.U8(c, Text("tagname", "Címke"));
    for (uint8_t& c : s.dimension) io.U8(c, Text("dimension", "Mértékegység"));
    io.Bool(s.leadingZeros, Code("leadingZeros", "Vezető nullák", 0, 1));
    io.U8(s.averageCount, Choice("averageCount", "Frissítési gyakoriság", 1, 40, kMeasuringTimeOptions).In("ms"));
    io.U8(s.analogueType, Choice("analogueType", "Analóg kimenet típusa", 0, 4, kSignalTypeOptions));
    // The analog output's scale comes from its dialog's value editor.
    io.S32(s.analogueLow,
           Scaled("analogueLow", "Analóg kimenet alsó érték", "decimals").Within(kEditorLow, kEditorHigh));
    io.S32(s.analogueHigh,
           Scaled("analogueHigh", "Analóg kimenet felső érték", "decimals").Within(kEditorLow, kEditorHigh));
    io.Bool(s.analogueErrorHigh, Code("analogueErrorHigh", "Magas szint jelzi a hibát", 0, 1));
    io.U8(s.barGraphMode, Choice("barGraphMode", "Sávkijelző módja", 0, 1, kBarGraphModeOptions));
    io.S32(s.bgLow, Scaled("bgLow", "Sávkijelző 0%", "decimals"));
    io.S32(s.bgHigh, Scaled("bgHigh", "Sávkijelző 100%", "decimals"));
    io.U8(s.inputType, Choice("inputType", "Bemenet típusa", 0, 4, kSignalTypeOptions));
    io.U8(s.decimals, Code("decimals", "Tizedesjegyek", 0, 4));
    io.U8(s.rounding, Code("rounding", "Kerekítés", 1, 5));
    io.S32(s.scaleLow, Scaled("scaleLow", "Skála alsó számérték", "decimals"));
    io.S32(s.scaleHigh, Scaled("scaleHigh", "Skála felső számérték", "decimals"));
    io.U8(s.limitDisplayMode, Choice("limitDisplayMode", "Határérték kijelzése", 0, 5, kLimitDisplayModeOptions));
    for (SettingsSetLimit& l : s.limits) {
        io.U8(l.mode, Choice("limitMode", "Határérték üzemmód", 0, 10, kSettingsSetLimitModeOptions));
        io.Bool(l.hold, Code("limitHold", "Határérték tartás", 0, 1));
        io.S32(l.a, Scaled("limitA", "Határérték A", "decimals"));
        io.S32(l.b, Scaled("limitB", "Határérték B", "decimals"));
        io.S32(l.hysteresis, Scaled("limitHysteresis", "Határérték hiszterézis", "decimals"));
    }
    for (uint16_t& t : s.timeBase) io.U16(t, kLimitTimeBase);
    for (uint8_t& p : s.pulseWidth) io.U8(p, kLimitPulseWidth);
    io.U8(s.modbusProtocol, Choice("modbusProtocol", "Modbus protokoll", 0, 1, kModbusProtocolOptions));
    io.U8(s.modbusParity, Choice("modbusParity", "Modbus paritás", 0, 3, kModbusParityOptions));
    io.U8(s.modbusBaudRate, Choice("modbusBaudRate", "Modbus sebesség", 0, 15, kModbusBaudRateOptions));
    io.U8(s.modbusAddress, Code("modbusAddress", "Modbus cím", 0, 247));
    io.Bool(s.analogueErrorDisabled, Code("analogueErrorDisabled", "Hibajelzés bekapcsolva", 0, 1).Inverted());
    io.U8(s.ptWires, Code("ptWires", "Pt vezetékszám", 2, 4));
}

}  // namespace velmar
