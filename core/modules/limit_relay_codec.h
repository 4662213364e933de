#pragma once
// The limit relay module's settings block (commands 207 to 210 and 213),
// shared by the program and the virtual instrument.

#include <cstdint>

#include "core/link/field_meta.h"
#include "core/modules/signal_options.h"

namespace velmar {

constexpr uint8_t kReadLimit1 = 207, kWriteLimit1 = 208;
constexpr uint8_t kReadLimit2 = 209, kWriteLimit2 = 210;
constexpr uint8_t kLimitDefaults = 213;
constexpr std::size_t kLimitBlockSize = 18;

// Limit modes, the item index of the mode list.
enum LimitMode : uint8_t {
    kLimitOff,
    kLimitAtLeastA,
    kLimitAtMostA,
    kLimitInsideAB,
    kLimitOutsideAB,
    kLimitControlAB,  // on at A, off at B: heating, filling a tank
    kLimitControlBA,  // on at B, off at A: cooling, draining a tank
    kLimitOn,
    kLimitRise,  // the value rose by A within the time base
    kLimitFall,
    kLimitChange,
};
constexpr int kLimitModeCount = 11;

inline constexpr FieldOption kLimitModeOptions[] = {
    {kLimitOff, "1. Kikapcsolva (OFF)"},
    {kLimitAtLeastA, "2. Nagyobb vagy egyenlő, mint A"},
    {kLimitAtMostA, "3. Kisebb vagy egyenlő, mint A"},
    {kLimitInsideAB, "4. Nagyobb egyenlő, mint A ÉS kisebb egyenlő, mint B"},
    {kLimitOutsideAB, "5. Kisebb, mint A VAGY nagyobb, mint B"},
    {kLimitControlAB, "6. A B közötti szabályozás (pl.: fűtés, tartály feltöltés)"},
    {kLimitControlBA, "7. B A közötti szabályozás (pl.: hűtés, tartály leeresztés)"},
    {kLimitOn, "8. Mindig bekapcsolva (ON)"},
    {kLimitRise, "9. Növekedés delta t időegység alatt"},
    {kLimitFall, "10. Csökkenés delta t időegység alatt"},
    {kLimitChange, "11. Bármilyen irányú változás Delta t időegység alatt"},
};

// The values the dialog edits, with the limits its editors allow: the
// value editor for A, B and hysteresis, at least 2 s for the delta modes.
inline constexpr FieldMeta kLimitA = field::InMeasured("a", "A érték").Within(kEditorLow, kEditorHigh);
inline constexpr FieldMeta kLimitB = field::InMeasured("b", "B érték").Within(kEditorLow, kEditorHigh);
inline constexpr FieldMeta kLimitHysteresis =
    field::InMeasured("hysteresis", "Hiszterézis").Within(kEditorLow, kEditorHigh);
inline constexpr FieldMeta kLimitTimeBase = field::Code("timeBase", "Időegység", 2, 65535).In("s");
inline constexpr FieldMeta kLimitPulseWidth = field::Code("pulseWidth", "Impulzusszélesség", 2, 255).In("s");

struct LimitBlock {
    uint8_t mode = kLimitAtLeastA;
    int32_t a = 8000;  // value A, or the change in the delta modes; implied decimals
    int32_t b = 9000;  // value B
    int32_t hysteresis = 100;
    bool hold = false;  // once on, stays on until a key press or power-off
    uint16_t timeBase = 60;  // seconds over which the delta modes look
    uint8_t pulseWidth = 2;  // seconds a delta mode keeps the output on
    uint8_t source = 1;  // measured value 1 or 2

    bool operator==(const LimitBlock&) const = default;
};

template <class IO>
void LimitLayout(IO& io, LimitBlock& b) {
    using namespace field;
    io.U8(b.mode, Choice("mode", "Üzemmód", 0, kLimitModeCount - 1, kLimitModeOptions));
    io.S32(b.a, kLimitA);
    io.S32(b.b, kLimitB);
    io.S32(b.hysteresis, kLimitHysteresis);
    io.Bool(b.hold, Code("hold", "A már bekapcsolt kimenet bekapcsolva marad", 0, 1));
    io.U16(b.timeBase, kLimitTimeBase);
    io.U8(b.pulseWidth, kLimitPulseWidth);
    io.U8(b.source, Choice("source", "Bemenő jel forrása", 1, 2, kSourceValueOptions));
}

}  // namespace velmar
