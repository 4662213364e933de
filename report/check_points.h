#pragma once
// The check of the instrument against a reference: the technician applies a
// known input, the instrument's readings of the next seconds are averaged
// and, where it has an analog output, the output is measured on the
// reference. Each is judged in percent of its span against the tolerance.

#include <optional>
#include <string>
#include <vector>

#include "core/device/records.h"
#include "report/signal_scales.h"

namespace velmar {

inline constexpr int kMaxCheckPoints = 11;
inline constexpr int kCheckSampleMs = 2000;  // the answers averaged for one point
inline constexpr double kSteadyPercent = 0.1;  // spread allowed, in percent of the span

struct CheckPoint {
    double input = 0;  // applied, in the input's own unit
    double expected = 0;  // the reading the scale gives for it
    double mean = 0;  // of the readings
    double spread = 0;  // their standard deviation
    int samples = 0;
    double errorPercent = 0;  // (mean - expected) in percent of the reading's span
    bool readingPasses = false;
    // The analog output as measured on the reference, and what the scale wants.
    std::optional<double> output, expectedOutput;
    double outputErrorPercent = 0;  // in percent of the output signal's span
    bool outputPasses = true;
    bool steady = true;  // spread within the limit; an unsteady point is taken only when asked again
    bool Passes() const { return readingPasses && outputPasses; }
};

struct CheckPoints {
    double tolerancePercent = 0.5;  // of the span, either way
    double steadyPercent = kSteadyPercent;
    double span = 0;  // of the reading; 0: not known
    std::string spanSource;  // where the span came from, as a person reads it
    std::string unit;  // of the reading, may be empty
    int decimals = 0;  // of the reading
    std::string inputUnit;  // of the applied input; empty: the reading's
    int inputDecimals = 3;
    std::string outputUnit;  // empty: no analog output checked
    double outputSpan = 0;
    std::vector<CheckPoint> points;

    // No point, or every point within the tolerance.
    bool AllPass() const;
    // The input's unit as a table shows it: its own, or the reading's.
    std::string InputUnit() const { return inputUnit.empty() ? unit : inputUnit; }
    int InputDecimals() const { return inputUnit.empty() ? decimals : inputDecimals; }
};

// What a point is judged by.
struct CheckLimits {
    double span = 0, outputSpan = 0, tolerancePercent = 0, steadyPercent = kSteadyPercent;
};

// nullopt when there is nothing to judge: no readings or no span.
std::optional<CheckPoint> EvaluateCheckPoint(double input, const Expected& expected, std::optional<double> output,
                                             const std::vector<double>& readings, const CheckLimits& limits);

// Measured value 1 of a status answer, its decimals applied.
double ReadingOf(const tRX& rx);
int ReadingDecimals(const tRX& rx);

// The units, spans and source of a set of points taken under these scales.
void DescribeScales(CheckPoints& c, const SignalScales& scales);

}  // namespace velmar
