#include "report/check_points.h"

#include <cmath>

namespace velmar {

bool CheckPoints::AllPass() const {
    for (const CheckPoint& p : points)
        if (!p.Passes()) return false;
    return true;
}

namespace {

// A hair's breadth of rounding must not fail a point that sits on the limit.
bool Within(double percent, double limit) { return std::fabs(percent) <= limit + 1e-9; }

}  // namespace

std::optional<CheckPoint> EvaluateCheckPoint(double input, const Expected& expected, std::optional<double> output,
                                             const std::vector<double>& readings, const CheckLimits& limits) {
    if (readings.empty() || !(limits.span > 0) || !std::isfinite(input) || !std::isfinite(expected.reading))
        return std::nullopt;
    CheckPoint p;
    p.input = input;
    p.expected = expected.reading;
    p.samples = int(readings.size());
    for (double r : readings) p.mean += r;
    p.mean /= double(readings.size());
    double squares = 0;
    for (double r : readings) squares += (r - p.mean) * (r - p.mean);
    p.spread = readings.size() > 1 ? std::sqrt(squares / double(readings.size() - 1)) : 0;
    p.errorPercent = (p.mean - p.expected) / limits.span * 100.0;
    p.readingPasses = Within(p.errorPercent, limits.tolerancePercent);
    p.steady = Within(p.spread / limits.span * 100.0, limits.steadyPercent);
    if (output && expected.output && limits.outputSpan > 0) {
        p.output = output;
        p.expectedOutput = expected.output;
        p.outputErrorPercent = (*output - *expected.output) / limits.outputSpan * 100.0;
        p.outputPasses = Within(p.outputErrorPercent, limits.tolerancePercent);
    }
    return p;
}

double ReadingOf(const tRX& rx) { return rx.iSkalazottKijezesiErtek / std::pow(10.0, ReadingDecimals(rx)); }

int ReadingDecimals(const tRX& rx) { return rx.uDecimalPoint <= 4 ? rx.uDecimalPoint : 0; }

void DescribeScales(CheckPoints& c, const SignalScales& scales) {
    c.inputUnit = scales.inputUnit;
    c.inputDecimals = scales.inputDecimals;
    c.outputUnit = scales.output ? scales.outputUnit : std::string();
    c.outputSpan = scales.output ? scales.output->ToSpan() : 0;
}

}  // namespace velmar
