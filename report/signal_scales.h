#pragma once
// How the instrument turns the signal at its input into its reading and its
// reading into the signal at its analog output, as its settings say: what a
// check point expects to see when a reference applies a known input.

#include <optional>
#include <string>

#include "core/settings/block_compare.h"

namespace velmar {

// A straight line through two points: a signal's two ends and the values
// that belong to them.
struct LinearScale {
    double fromLow = 0, fromHigh = 1, toLow = 0, toHigh = 1;
    double At(double from) const;
    double ToSpan() const { return toHigh > toLow ? toHigh - toLow : toLow - toHigh; }
    double FromSpan() const { return fromHigh > fromLow ? fromHigh - fromLow : fromLow - fromHigh; }
};

struct SignalScales {
    // Input signal to reading. Where the input is the reading itself (a
    // temperature sensor, a resistance, an input with no scale known) the
    // line is the identity and inputUnit is empty: the reading's own unit.
    LinearScale input;
    std::string inputUnit;  // mA, V, Ω, °C; empty: as the reading
    int inputDecimals = 3;
    bool readingScaleKnown = false;  // the reading's span comes from the settings
    std::string block;  // caption of the block the scale was read from
    // Reading to analog output signal, for an instrument with one.
    std::optional<LinearScale> output;
    std::string outputUnit;  // mA or V
    std::string outputBlock;
};

// The scales the instrument's settings blocks hold; the input's own block
// first, the whole settings set only where no module tells.
SignalScales SignalScalesOf(const BlockImages& blocks, FieldContext context);

// What the instrument should show for an input, and what its analog output
// should give then.
struct Expected {
    double reading = 0;
    std::optional<double> output;
};
Expected ExpectedAt(const SignalScales& scales, double input);

}  // namespace velmar
