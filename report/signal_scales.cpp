#include "report/signal_scales.h"

#include <cmath>
#include <string_view>

#include "core/modules/rtd_input_codec.h"

namespace velmar {

namespace {

// The standard signals by the type code the analog input, the analog
// output and the settings set share.
struct Signal {
    double low, high;
    const char* unit;
};
constexpr Signal kSignals[] = {{4, 20, "mA"}, {0, 20, "mA"}, {0, 10, "V"}, {0, 5, "V"}, {2, 10, "V"}};

const Signal* SignalOf(double code) {
    const int i = int(code);
    return code == i && i >= 0 && i < int(std::size(kSignals)) ? &kSignals[i] : nullptr;
}

struct Fields {
    std::vector<BlockField> list;
    const SettingsBlockInfo* info = nullptr;
    const BlockField* operator[](std::string_view name) const {
        for (const BlockField& f : list)
            if (f.name == name) return &f;
        return nullptr;
    }
};

std::optional<Fields> FieldsOf(const BlockImages& blocks, const char* name, FieldContext context) {
    const auto it = blocks.find(name);
    const SettingsBlockInfo* info = FindSettingsBlock(name);
    if (it == blocks.end() || !info) return std::nullopt;
    return Fields{info->fields(it->second, context), info};
}

// A signal from its type field to the two scale fields; nothing when the
// code is no standard signal or the scale's ends are one.
std::optional<LinearScale> StandardSignal(const Fields& f, const char* type, const char* low, const char* high,
                                          bool signalToValue, std::string* unit) {
    const BlockField *t = f[type], *l = f[low], *h = f[high];
    const Signal* s = t ? SignalOf(t->number) : nullptr;
    if (!s || !l || !h || l->number == h->number) return std::nullopt;
    *unit = s->unit;
    return signalToValue ? LinearScale{s->low, s->high, l->number, h->number}
                         : LinearScale{l->number, h->number, s->low, s->high};
}

bool InputFromStandardSignal(const BlockImages& blocks, FieldContext context, SignalScales& s) {
    for (const char* name : {"analogInput", "settingsSet"}) {
        const std::optional<Fields> f = FieldsOf(blocks, name, context);
        if (!f) continue;
        if (auto line = StandardSignal(*f, "inputType", "scaleLow", "scaleHigh", true, &s.inputUnit)) {
            s.input = *line;
            s.block = f->info->caption;
            return true;
        }
    }
    return false;
}

bool InputFromPX210(const BlockImages& blocks, FieldContext context, SignalScales& s) {
    const std::optional<Fields> f = FieldsOf(blocks, "px210", context);
    if (!f || !(*f)["scaleLow"] || !(*f)["scaleHigh"]) return false;
    // Its loop input is always 4-20 mA.
    s.input = {4, 20, (*f)["scaleLow"]->number, (*f)["scaleHigh"]->number};
    s.inputUnit = "mA";
    s.block = f->info->caption;
    return s.input.toLow != s.input.toHigh;
}

bool InputFromRtd(const BlockImages& blocks, FieldContext context, SignalScales& s) {
    const std::optional<Fields> f = FieldsOf(blocks, "rtdInput", context);
    const BlockField* mode = f ? (*f)["mode"] : nullptr;
    if (!mode) return false;
    s.block = f->info->caption;
    s.inputDecimals = 1;
    switch (int(mode->number)) {
    case kRtdPt: s.inputUnit = "°C"; return true;  // the reading is the temperature
    case kRtdResistance: s.inputUnit = "Ω"; return true;  // the reading is the resistance
    case kRtdPotentiometer:
    case kRtdScaledPotentiometer: {
        const BlockField *p0 = (*f)["potPercent0"], *p100 = (*f)["potPercent100"];
        if (!p0 || !p100 || p0->number == p100->number) return false;
        const bool scaled = int(mode->number) == kRtdScaledPotentiometer;
        const BlockField *low = (*f)["scaleLow"], *high = (*f)["scaleHigh"];
        if (scaled && (!low || !high || low->number == high->number)) return false;
        s.input = {p0->number, p100->number, scaled ? low->number : 0, scaled ? high->number : 100};
        s.inputUnit = "Ω";
        s.readingScaleKnown = true;
        return true;
    }
    default: return false;
    }
}

}  // namespace

double LinearScale::At(double from) const { return toLow + (from - fromLow) / (fromHigh - fromLow) * (toHigh - toLow); }

SignalScales SignalScalesOf(const BlockImages& blocks, FieldContext context) {
    SignalScales s;
    if (InputFromStandardSignal(blocks, context, s) || InputFromPX210(blocks, context, s)) {
        s.readingScaleKnown = true;
    } else if (!InputFromRtd(blocks, context, s)) {
        s = {};
    }
    for (const char* name : {"analogOutput1", "analogOutput2"}) {
        const std::optional<Fields> f = FieldsOf(blocks, name, context);
        if (!f) continue;
        if (auto line = StandardSignal(*f, "type", "scaleLow", "scaleHigh", false, &s.outputUnit)) {
            s.output = line;
            s.outputBlock = f->info->caption;
            break;
        }
    }
    return s;
}

Expected ExpectedAt(const SignalScales& scales, double input) {
    Expected e{scales.input.At(input), std::nullopt};
    if (scales.output) e.output = scales.output->At(e.reading);
    return e;
}

}  // namespace velmar
