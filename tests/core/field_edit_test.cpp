// A settings field set from the text a person types or a script passes:
// each kind of field within and outside what its description allows.

#include <gtest/gtest.h>

#include "core/settings/field_edit.h"

namespace velmar {
namespace {

BlockField Named(const std::vector<BlockField>& fields, const std::string& name) {
    for (const BlockField& f : fields)
        if (f.name == name) return f;
    ADD_FAILURE() << "no field " << name;
    return {};
}

struct Field {
    const char* block;
    const char* name;
    uint16_t device = 330;
};

std::vector<BlockField> FieldsOf(const Field& at, const Bytes& bytes) {
    return FindSettingsBlock(at.block)->fields(bytes, {2, at.device});
}

TEST(FieldEdit, EachKindOfFieldTakesWhatItsDescriptionAllows) {
    struct Case {
        Field at;
        const char* typed;
        const char* shown;  // as the table shows it afterwards; nullptr when refused
        const char* refusal;  // part of the reason
    } cases[] = {
        // Numbers: either decimal separator, the unit or not, within the limits.
        {{"limit1", "a"}, "12,5", "12.50", nullptr},
        {{"limit1", "a"}, " -3.25 ", "-3.25", nullptr},
        {{"limit1", "a"}, "12.345", nullptr, "legfeljebb 2 tizedesjegy"},
        {{"limit1", "a"}, "sok", nullptr, "számot vár"},
        {{"limit1", "a"}, "", nullptr, "számot vár"},
        {{"limit1", "timeBase"}, "90 s", "90 s", nullptr},
        {{"limit1", "timeBase"}, "70000", nullptr, "(2 … 65535 s)"},
        {{"limit1", "timeBase"}, "1", nullptr, "(2 … 65535 s)"},  // the dialog's minimum, not the type's
        {{"limit1", "a"}, "1000", nullptr, "(-99.99 … 999.99)"},  // what the dialog's editor allows
        {{"limit1", "a"}, "-99,99", "-99.99", nullptr},
        {{"px210", "scaleHigh", 210}, "10000", nullptr, "(-9999 … 9999)"},
        {{"analogInput", "rounding"}, "6", nullptr, "(1 … 5)"},
        {{"rtdInput", "corrTemp2", 310}, "100,5 °C", "100.5 °C", nullptr},
        // Choices: by the text the table shows or by code, only the model's own.
        {{"analogInput", "inputType"}, "Feszültség 0-10 V", "Feszültség 0-10 V", nullptr},
        {{"analogInput", "inputType"}, "FESZüLTSéG 0-10 v", "Feszültség 0-10 V", nullptr},
        {{"analogInput", "inputType"}, "2", "Feszültség 0-10 V", nullptr},
        {{"analogInput", "inputType"}, "9", nullptr, "választható: Áram 4-20 mA (0)"},
        {{"analogInput", "averageCount"}, "500 ms", "500 ms", nullptr},
        {{"analogInput", "averageCount"}, "60", "60 ms", nullptr},  // the text "60", not the code
        {{"acInput", "range", 370}, "2,5 A TRMS", "2,5 A TRMS", nullptr},
        {{"acInput", "range", 350}, "2,5 A TRMS", nullptr, "250 V TRMS (2)"},
        {{"display", "refresh", 530}, "35", nullptr, "nem választható"},  // an instrument may hold it; no one sets it
        // Flags.
        {{"limit1", "hold"}, "igen", "igen", nullptr},
        {{"limit1", "hold"}, "0", "nem", nullptr},
        {{"limit1", "hold"}, "talán", nullptr, "igen vagy nem"},
        // A flag the dialog shows the other way round: the words answer its caption
        // ("Hibajelzés bekapcsolva"), the code is the stored "off" byte.
        {{"analogOutput1", "errorDisabled"}, "nem", "nem", nullptr},
        {{"analogOutput1", "errorDisabled"}, "1", "nem", nullptr},
        {{"analogOutput1", "errorDisabled"}, "0", "igen", nullptr},
        // Texts: Latin-1, no longer than the field holds.
        {{"settingsSet", "tagname"}, "  Tartály 1 ", "Tartály 1", nullptr},
        {{"settingsSet", "dimension"}, "m³/h", "m³/h", nullptr},
        {{"settingsSet", "tagname"}, "ABCDEFGHIJKLMNOPQRSTUV", nullptr, "legfeljebb 21 karakter"},
        {{"settingsSet", "tagname"}, "\xE2\x82\xAC", nullptr, "U+20AC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.at.block) + "." + c.at.name + " = \"" + c.typed + "\"");
        const Bytes before(FindSettingsBlock(c.at.block)->size, 0);
        Bytes bytes = before;
        const std::string why = SetFieldFromText(bytes, Named(FieldsOf(c.at, bytes), c.at.name), c.typed);
        if (c.shown) {
            EXPECT_EQ(why, "");
            EXPECT_EQ(FieldValueText(Named(FieldsOf(c.at, bytes), c.at.name)), c.shown);
        } else {
            EXPECT_NE(why.find(c.refusal), std::string::npos) << why;
            EXPECT_NE(why.back(), '.') << "the reason goes into the caller's sentence";
            EXPECT_EQ(bytes, before) << "a refused value changes nothing";
        }
    }
}

// A settings file gives its values as numbers: taken by the same rules, a
// choice by its code only (the averaging time "100" is code 8, not 100).
TEST(FieldEdit, ANumberFromAFileFollowsTheSameRules) {
    struct Case {
        Field at;
        double value;
        const char* shown;  // nullptr when refused
        const char* refusal;
    } cases[] = {
        {{"analogInput", "averageCount"}, 8, "100 ms", nullptr},
        {{"analogInput", "averageCount"}, 100, nullptr, "nem választható érték: 100"},
        {{"limit1", "hold"}, 1, "igen", nullptr},
        {{"limit1", "hold"}, 0.5, nullptr, "igen (1) vagy nem (0)"},
        {{"analogInput", "decimals"}, 2.5, nullptr, "egész számot vár"},
        {{"limit1", "a"}, 5000, nullptr, "(-99.99 … 999.99)"},
        {{"limit1", "pulseWidth"}, 0, nullptr, "(2 … 255 s)"},
        {{"settingsSet", "tagname"}, 1, nullptr, "szöveget vár"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.at.block) + "." + c.at.name + " = " + std::to_string(c.value));
        const Bytes before(FindSettingsBlock(c.at.block)->size, 0);
        Bytes bytes = before;
        const std::string why = SetFieldFromNumber(bytes, Named(FieldsOf(c.at, bytes), c.at.name), c.value);
        if (c.shown) {
            EXPECT_EQ(why, "");
            EXPECT_EQ(FieldValueText(Named(FieldsOf(c.at, bytes), c.at.name)), c.shown);
        } else {
            EXPECT_NE(why.find(c.refusal), std::string::npos) << why;
            EXPECT_EQ(bytes, before);
        }
    }
}

TEST(FieldEdit, LimitsAndTheTextAnEditorStartsFrom) {
    struct Case {
        Field at;
        char separator;
        const char* limits;
        const char* editText;
    } cases[] = {
        {{"limit1", "a"}, ',', "-99,99 … 999,99", "0,00"},
        {{"limit1", "timeBase"}, '.', "2 … 65535 s", "0"},
        {{"rtdInput", "corrPlus1", 310}, '.', "-10.0 … 10.0 °C", "0.0"},
        {{"analogInput", "decimals"}, '.', "0 … 4", "0"},
        {{"limit1", "hold"}, '.', "igen / nem", "nem"},
        {{"modbus", "protocol"}, '.', "RTU / ASCII", "RTU"},
        {{"analogInput", "averageCount"}, '.', "12 ms / 60 ms / 100 ms / 200 ms / 300 ms / 500 ms", "0"},
        {{"settingsSet", "tagname"}, '.', "legfeljebb 21 karakter", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.at.block) + "." + c.at.name);
        const BlockField f = Named(FieldsOf(c.at, Bytes(FindSettingsBlock(c.at.block)->size, 0)), c.at.name);
        EXPECT_EQ(FieldLimitsText(f, c.separator), c.limits);
        EXPECT_EQ(FieldEditText(f, c.separator), c.editText);
    }
}

}  // namespace
}  // namespace velmar
