#include "report/check_points.h"

#include <cmath>

#include "core/modules/rtd_input_codec.h"

namespace velmar {

bool CheckPoints::AllPass() const {
    for (const CheckPoint& p : points)
        if (!p.passes) return false;
    return true;
}

std::optional<CheckPoint> EvaluateCheckPoint(double reference, const std::vector<double>& readings, double span,
                                             double tolerancePercent) {
    if (readings.empty() || !(span > 0) || !std::isfinite(reference)) return std::nullopt;
    CheckPoint p;
    p.reference = reference;
    p.samples = int(readings.size());
    for (double r : readings) p.mean += r;
    p.mean /= double(readings.size());
    double squares = 0;
    for (double r : readings) squares += (r - p.mean) * (r - p.mean);
    p.spread = readings.size() > 1 ? std::sqrt(squares / double(readings.size() - 1)) : 0;
    p.errorPercent = (p.mean - reference) / span * 100.0;
    // A hair's breadth of rounding must not fail a point that sits on the limit.
    p.passes = std::fabs(p.errorPercent) <= tolerancePercent + 1e-9;
    return p;
}

namespace {

const BlockField* FieldNamed(const std::vector<BlockField>& fields, const char* name) {
    for (const BlockField& f : fields)
        if (f.name == name) return &f;
    return nullptr;
}

}  // namespace

std::optional<InputScale> InputScaleOf(const BlockImages& blocks, FieldContext context) {
    // The input's own block first; the whole settings set only where no
    // module tells.
    for (const char* name : {"analogInput", "px210", "rtdInput", "settingsSet"}) {
        const auto it = blocks.find(name);
        if (it == blocks.end()) continue;
        const SettingsBlockInfo* info = FindSettingsBlock(name);
        const std::vector<BlockField> fields = info->fields(it->second, context);
        // An RTD input shows its scale only as a scaled potentiometer.
        if (std::string(name) == "rtdInput") {
            const BlockField* mode = FieldNamed(fields, "mode");
            if (!mode || int(mode->number) != kRtdScaledPotentiometer) continue;
        }
        const BlockField* low = FieldNamed(fields, "scaleLow");
        const BlockField* high = FieldNamed(fields, "scaleHigh");
        if (!low || !high || low->number == high->number) continue;
        return InputScale{low->number, high->number, info->caption};
    }
    return std::nullopt;
}

}  // namespace velmar
