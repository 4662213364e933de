#pragma once
// The check of a reading against a reference: the technician applies a
// known value at the input, the instrument's answers of the next seconds
// are averaged, and the error is judged in percent of the input's span.

#include <optional>
#include <string>
#include <vector>

#include "core/device/block_compare.h"

namespace velmar {

inline constexpr int kMaxCheckPoints = 11;
inline constexpr int kCheckSampleMs = 2000;  // the answers averaged for one point

struct CheckPoint {
    double reference = 0;     // applied, in the displayed value's unit
    double mean = 0;          // of the readings
    double spread = 0;        // their standard deviation
    int samples = 0;
    double errorPercent = 0;  // (mean - reference) in percent of the span
    bool passes = false;
};

struct CheckPoints {
    double tolerancePercent = 0.5;  // of the span, either way
    double span = 0;                // of the input's scale; 0: not known
    std::string spanSource;         // where the span came from, as a person reads it
    std::string unit;               // of the displayed value, may be empty
    int decimals = 0;               // of the displayed value
    std::vector<CheckPoint> points;

    // No point, or every point within the tolerance.
    bool AllPass() const;
};

// nullopt when there is nothing to judge: no readings or no span.
std::optional<CheckPoint> EvaluateCheckPoint(double reference, const std::vector<double>& readings, double span,
                                             double tolerancePercent);

// The scale of the instrument's input as its settings blocks hold it:
// the displayed values at the input signal's two ends.
struct InputScale {
    double low = 0, high = 0;
    std::string block;  // caption of the block it was read from
    double Span() const { return high > low ? high - low : low - high; }
};
std::optional<InputScale> InputScaleOf(const BlockImages& blocks, FieldContext context);

}  // namespace velmar
