#include "core/modules/module_map.h"

#include "core/device/device_types.h"

namespace velmar {

namespace {
using enum ModuleKind;
using enum SlotFlag;
constexpr int P(DevicePage p) { return int(p); }

constexpr ModuleControl Button(const char* name, ModuleKind d, SlotFlag s, const char* caption, bool read = true) {
    return {name, false, d, s, caption, read};
}
constexpr ModuleControl LampOf(const char* name) { return {name, true, None, Keep, nullptr, false}; }

const ModuleGroup kGroups[] = {
    {P(DevicePage::P310),
     "GroupBox33",
     "BEMENET",
     {Button("Button_In310", PXRT, Keep, "Pt / Potenciométer / R bemenet (Pt100 vagy Pt1000)")}},
    {P(DevicePage::P310),
     "GroupBox31",
     "KIMENET",
     {Button("Button_PX310_PXAO_Fo", PXAO, Primary, "Analóg kimenet (UI)")}},

    {P(DevicePage::P330),
     "GroupBox20",
     "BEMENET",
     {Button("Button_PX330_PXAI", PXAI, Keep, "PXAI"), Button("Button_PX330_PXRT", PXRT, Keep, nullptr),
      Button("Button_PX330_PXMBIN", PXMB, Primary, "MODBUS RS-485 bemenet (RS4)")}},
    {P(DevicePage::P330),
     "GroupBox21",
     "KIMENET 1",
     {Button("Button_PX330_PXAO_Fo", PXAO, Primary, "Analóg kimenet 1 (UI)"),
      Button("Button_PX330_PXMB_Fo", PXMB, Primary, "MODBUS RS-485 kimenet 1 (RS4)"),
      Button("Button_PX330_PXRL_Fo", PXRL, Primary, "Határérték kimenet 1 (RL)"), LampOf("Shape_DigitalOut1_PX330")}},
    {P(DevicePage::P330),
     "GroupBox22",
     "KIMENET 2",
     {Button("Button_PX330_PXAO_Tovabbi", PXAO, Secondary, "Analóg kimenet 2 (UI)"),
      Button("Button_PX330_PXRL_Tovabbi", PXRL, Secondary, "Határérték kimenet 2 (RL)"),
      LampOf("Shape_DigitalOut2_PX330")}},

    {P(DevicePage::P350), "GroupBox40", "BEMENET", {Button("Button_PX350_AC", PXTR, Primary, nullptr)}},
    {P(DevicePage::P350),
     "GroupBox41",
     "KIMENET 1",
     {Button("Button_PX350_PXAO_Fo", PXAO, Primary, "Analóg kimenet 1 (UI)"),
      Button("Button_PX350_PXMB_Fo", PXMB, Primary, "MODBUS RS-485 kimenet 1 (RS4)"),
      Button("Button_PX350_PXRL_Fo", PXRL, Primary, "Határérték kimenet 1 (RL)"), LampOf("Shape_DigitalOut1_PX350")}},
    {P(DevicePage::P350),
     "GroupBox42",
     "KIMENET 2",
     {Button("Button_PX350_PXAO_Tovabbi", PXAO, Secondary, "Analóg kimenet 2 (UI)"),
      Button("Button_PX350_PXRL_Tovabbi", PXRL, Secondary, "Határérték kimenet 2 (RL)"),
      LampOf("Shape_DigitalOut2_PX350")}},

    {P(DevicePage::P370), "GroupBox43", "BEMENET", {Button("Button_PX370_AC", PXTR, Primary, nullptr)}},
    {P(DevicePage::P370),
     "GroupBox44",
     "KIMENET 1",
     {Button("Button_PX370_PXAO_Fo", PXAO, Primary, "Analóg kimenet 1 (UI)"),
      Button("Button_PX370_PXMB_Fo", PXMB, Primary, "MODBUS RS-485 kimenet 1 (RS4)"),
      Button("Button_PX370_PXRL_Fo", PXRL, Primary, "Határérték kimenet 1 (RL)"), LampOf("Shape_DigitalOut1_PX370")}},
    {P(DevicePage::P370),
     "GroupBox45",
     "KIMENET 2",
     {Button("Button_PX370_PXAO_Tovabbi", PXAO, Secondary, "Analóg kimenet 2 (UI)"),
      Button("Button_PX370_PXRL_Tovabbi", PXRL, Secondary, "Határérték kimenet 2 (RL)"),
      LampOf("Shape_DigitalOut2_PX370")}},

    {P(DevicePage::P530),
     "GroupBox24",
     "BEMENET",
     {Button("Button_PX530_PXAI", PXAI, Keep, "PXAI"), Button("Button_PX530_PXRT", PXRT, Keep, nullptr, false),
      Button("Button_PX530_PXMB", PXMB, Primary, "PXMB bemeneti modul")}},
    {P(DevicePage::P530),
     "GroupBox25",
     "HATÁRÉRTÉK KIMENETEK",
     {Button("Button_PX530_Rel1", PXRL, Primary, "Rel1"), LampOf("Shape_DigitalOut1_PX530"),
      Button("Button_PX530_Rel2", PXRL, Secondary, "Rel2"), LampOf("Shape_DigitalOut2_PX530")}},

    {P(DevicePage::P580),
     "GroupBox29",
     "BEMENET",
     {Button("Button_PX580_PXAI", PXAI, Keep, "PXAI"), Button("Button_PX580_PXRT", PXRT, Keep, nullptr)}},
    {P(DevicePage::P580),
     "GroupBox30",
     "KIMENET",
     {Button("Button_PX580_PXAO_Fo", PXAO, Primary, "PXAO"), Button("Button_PX580_PXMB_Fo", PXMB, Primary, "PXMB")}},
};

const ButtonCaption kCaptions[] = {
    {"Pt / Potenciométer / R", {"Button_In310", "Button_PX330_PXRT", "Button_PX530_PXRT", "Button_PX580_PXRT"}},
    {"Analóg kimenet",
     {"Button_PX310_PXAO_Fo", "Button_PX330_PXAO_Fo", "Button_PX330_PXAO_Tovabbi", "Button_PX350_PXAO_Fo",
      "Button_PX350_PXAO_Tovabbi", "Button_PX370_PXAO_Fo", "Button_PX370_PXAO_Tovabbi", "Button_PX580_PXAO_Fo"}},
    {"Analóg bemenet", {"Button_PX330_PXAI", "Button_PX530_PXAI", "Button_PX580_PXAI"}},
    {"MODBUS kommunikáció",
     {"Button_PX330_PXMB_Fo", "Button_PX350_PXMB_Fo", "Button_PX370_PXMB_Fo", "Button_PX530_PXMB",
      "Button_PX580_PXMB_Fo"}},
    {"Határérték kimenet",
     {"Button_PX330_PXRL_Fo", "Button_PX330_PXRL_Tovabbi", "Button_PX350_PXRL_Fo", "Button_PX350_PXRL_Tovabbi",
      "Button_PX370_PXRL_Fo", "Button_PX370_PXRL_Tovabbi"}},
    {"Határérték kimenet 1", {"Button_PX530_Rel1"}},
    {"Határérték kimenet 2", {"Button_PX530_Rel2"}},
    {"Feszültség TRMS és DC", {"Button_PX350_AC"}},
    {"Áram TRMS", {"Button_PX370_AC"}},
    {"PXMBIN", {"Button_PX330_PXMBIN"}},
};

constexpr const char* kInHidden[] = {"Button_PX330_PXAI", "Button_PX330_PXRT", "Button_PX330_PXMBIN",
                                     "Button_PX530_PXAI", "Button_PX530_PXRT", "Button_PX530_PXMB",
                                     "Button_PX580_PXAI", "Button_PX580_PXRT"};
constexpr OptionRule kInRules[] = {
    {1, {"Button_PX330_PXAI", "Button_PX530_PXAI", "Button_PX580_PXAI"}, 1},
    {2, {"Button_PX330_PXRT", "Button_PX530_PXRT", "Button_PX580_PXRT"}, 2},
    {6, {"Button_PX530_PXMB"}, 3},
    {7, {}, 4},
    {8, {"Button_PX530_PXMB", "Button_PX330_PXMBIN"}, 5},
    {0, {}, 0},
};

constexpr const char* kPrimaryHidden[] = {
    "Button_PX330_PXAO_Fo", "Button_PX330_PXMB_Fo",    "Button_PX330_PXRL_Fo",    "Button_PX580_PXAO_Fo",
    "Button_PX580_PXMB_Fo", "Shape_DigitalOut1_PX330", "Shape_DigitalOut1_PX350", "Shape_DigitalOut1_PX370",
    "Button_PX350_PXAO_Fo", "Button_PX350_PXMB_Fo",    "Button_PX350_PXRL_Fo",    "Button_PX370_PXAO_Fo",
    "Button_PX370_PXMB_Fo", "Button_PX370_PXRL_Fo"};
constexpr OptionRule kPrimaryRules[] = {
    {3, {"Button_PX330_PXAO_Fo", "Button_PX580_PXAO_Fo", "Button_PX350_PXAO_Fo", "Button_PX370_PXAO_Fo"}, 1},
    {4, {"Button_PX330_PXMB_Fo", "Button_PX580_PXMB_Fo", "Button_PX350_PXMB_Fo", "Button_PX370_PXMB_Fo"}, 2},
    {5,
     {"Button_PX330_PXRL_Fo", "Button_PX350_PXRL_Fo", "Button_PX370_PXRL_Fo", "Shape_DigitalOut1_PX330",
      "Shape_DigitalOut1_PX350", "Shape_DigitalOut1_PX370"},
     3},
    {0, {}, 0},
};

constexpr const char* kSecondaryHidden[] = {
    "Button_PX330_PXAO_Tovabbi", "Button_PX330_PXRL_Tovabbi", "Shape_DigitalOut2_PX330",
    "Shape_DigitalOut2_PX350",   "Shape_DigitalOut2_PX370",   "Button_PX350_PXAO_Tovabbi",
    "Button_PX350_PXRL_Tovabbi", "Button_PX370_PXAO_Tovabbi", "Button_PX370_PXRL_Tovabbi"};
constexpr OptionRule kSecondaryRules[] = {
    {3, {"Button_PX330_PXAO_Tovabbi", "Button_PX350_PXAO_Tovabbi", "Button_PX370_PXAO_Tovabbi"}, 1},
    {4, {}, 2},  // there is no button for a Modbus module in slot 2
    {5,
     {"Button_PX330_PXRL_Tovabbi", "Button_PX350_PXRL_Tovabbi", "Button_PX370_PXRL_Tovabbi", "Shape_DigitalOut2_PX330",
      "Shape_DigitalOut2_PX350", "Shape_DigitalOut2_PX370"},
     3},
    {0, {}, 0},
};

const OptionSlot kIn{kInHidden, kInRules, "RadioGroup_Bemenet"};
const OptionSlot kPrimary{kPrimaryHidden, kPrimaryRules, "RadioGroup_Kimenet1"};
const OptionSlot kSecondary{kSecondaryHidden, kSecondaryRules, "RadioGroup_Kimenet2"};
}  // namespace

std::span<const ModuleGroup> ModuleGroups() { return kGroups; }
std::span<const ButtonCaption> ModuleButtonCaptions() { return kCaptions; }
const OptionSlot& InputSlot() { return kIn; }
const OptionSlot& PrimarySlot() { return kPrimary; }
const OptionSlot& SecondarySlot() { return kSecondary; }

const OptionRule& RuleFor(const OptionSlot& slot, uint8_t code) {
    for (std::size_t i = 0; i + 1 < slot.rules.size(); ++i)
        if (slot.rules[i].code == code) return slot.rules[i];
    return slot.rules.back();
}

}  // namespace velmar
