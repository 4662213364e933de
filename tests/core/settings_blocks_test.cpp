// The settings blocks' descriptions: each names every byte of its block
// once, reads values with their decimals, and refuses values it cannot hold.
// And the command engine that carries the blocks beside the status poll.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/link/command_engine.h"
#include "core/link/frame.h"
#include "core/modules/analog_input_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/rtd_input_codec.h"
#include "core/settings/block_compare.h"
#include "core/settings/block_transfer.h"
#include "core/settings/settings_blocks.h"
#include "core/settings/settings_set_codec.h"
#include "tests/support/block_io.h"

namespace velmar {
namespace {

TEST(SettingsBlocks, EveryBlockNamesEachOfItsBytesOnce) {
    for (const SettingsBlockInfo& b : SettingsBlocks()) {
        SCOPED_TRACE(b.name);
        const std::vector<BlockField> fields = b.fields(Bytes(b.size, 0), 0);
        std::size_t next = 0;
        std::set<std::string> names;
        for (const BlockField& f : fields) {
            EXPECT_EQ(f.offset, next) << f.name;
            next = f.offset + f.width;
            EXPECT_TRUE(names.insert(f.name).second) << "repeated " << f.name;
            EXPECT_NE(std::string(f.caption), "") << f.name;
        }
        EXPECT_EQ(next, b.size);
        EXPECT_EQ(BlockOfRead(b.read), &b);
        EXPECT_EQ(BlockOfWrite(b.write), &b);
        EXPECT_TRUE(IsBlockCommand(b.read) && IsBlockCommand(b.write) && IsBlockCommand(b.defaults));
    }
    EXPECT_FALSE(IsBlockCommand(101));
    EXPECT_FALSE(IsBlockCommand(220)) << "passwords are never saved";
}

const BlockField& Named(const std::vector<BlockField>& fields, const std::string& name) {
    for (const BlockField& f : fields)
        if (f.name == name) return f;
    throw std::runtime_error("no field " + name);
}

TEST(SettingsBlocks, ValuesCarryTheirDecimals) {
    AnalogInputBlock in;
    in.decimals = 3;
    in.scaleLow = -1250;
    const Bytes bytes = test::Encode(in, [](auto& io, AnalogInputBlock& b) { AnalogInputLayout(io, b); });
    const auto fields = FindSettingsBlock("analogInput")->fields(bytes, 0);
    EXPECT_DOUBLE_EQ(Named(fields, "scaleLow").number, -1.25) << "decimals from the block's own field";
    EXPECT_EQ(FieldValueText(Named(fields, "scaleLow")), "-1.250");
    EXPECT_EQ(Named(fields, "scaleLow").offset, 3u);

    LimitBlock relay;
    relay.a = 4550;
    const Bytes limit = test::Encode(relay, [](auto& io, LimitBlock& b) { LimitLayout(io, b); });
    EXPECT_DOUBLE_EQ(Named(FindSettingsBlock("limit1")->fields(limit, 2), "a").number, 45.5)
        << "a limit is in the measured value's decimals";

    const auto set = FindSettingsBlock("settingsSet")->fields(Bytes(139, 0), 0);
    EXPECT_EQ(Named(set, "tagname").width, 22u) << "a text is one field";
    EXPECT_EQ(Named(set, "limitA4").kind, FieldKind::S32) << "repeated fields are numbered";
}

// What the compare table, the journal and the command-line tool show of a
// field: an enumerated field by its option text, a number with its decimals
// and unit, a flag as yes or no.
TEST(SettingsBlocks, ValuesReadAsAPersonReadsThem) {
    struct Case {
        const char* block;
        const char* field;
        double value;  // as a person enters it
        uint16_t device;
        char separator;
        const char* shown;
    } cases[] = {
        {"analogInput", "inputType", 2, 330, '.', "Feszültség 0-10 V"},
        {"analogInput", "averageCount", 16, 330, '.', "200 ms"},
        {"analogInput", "averageCount", 7, 330, '.', "7 (ismeretlen érték)"},
        {"analogOutput1", "type", 0, 330, '.', "Áram 4-20 mA"},
        {"analogOutput1", "source", 2, 330, '.', "Mért érték 2"},
        {"analogOutput1", "errorHigh", 1, 330, '.', "igen"},
        {"analogOutput1", "errorDisabled", 1, 330, '.', "nem"},  // shown as the dialog's "Hibajelzés bekapcsolva"
        {"limit1", "mode", 3, 530, '.', "4. Nagyobb egyenlő, mint A ÉS kisebb egyenlő, mint B"},
        {"limit1", "timeBase", 60, 530, '.', "60 s"},
        {"limit1", "hold", 0, 530, '.', "nem"},
        {"limit1", "a", -12.5, 530, ',', "-12,50"},  // in the measured value's two decimals
        {"settingsSet", "limitMode2", 3, 330, '.', "4. A és B között"},
        {"settingsSet", "limitDisplayMode", 4, 330, '.', "Változáskor"},
        {"settingsSet", "modbusParity", 2, 330, '.', "Páratlan (Odd)"},
        {"modbus", "baudRate", 11, 330, '.', "115200 bit/sec."},
        {"modbus", "timeOut", 10, 330, '.', "10 s"},
        {"rtdInput", "wires", 3, 310, '.', "3 vezeték"},
        {"rtdInput", "averageCount", 5, 310, '.', "0,5 másodperc"},
        {"rtdInput", "mode", 1, 310, '.', "Potenciométer 0% - 100%"},
        {"rtdInput", "corrTemp2", 100.5, 310, ',', "100,5 °C"},
        {"rtdInput", "potPercent100", 812.5, 310, '.', "812.5 ohm"},
        {"acInput", "range", 2, 350, '.', "250 V TRMS"},
        {"acInput", "range", 2, 370, '.', "2,5 A TRMS"},
        {"acInput", "range", 6, 370, '.', "150 mV TRMS"},
        {"acInput", "range", 2, 0, '.', "2"},  // the model not known: no text to choose
        {"acInput", "clockMHz", 4, 350, '.', "4 MHz"},
        {"display", "refresh", 1, 530, '.', "Leggyorsabb"},
        {"display", "refresh", 35, 530, '.', "35 (ismeretlen érték)"},
        {"display", "brightness", 80, 530, '.', "80 %"},
        {"px210", "measuringTime", 55, 210, '.', "500 ms"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.block) + "." + c.field + " " + std::to_string(c.value));
        const SettingsBlockInfo* info = FindSettingsBlock(c.block);
        Bytes bytes(info->size, 0);
        const FieldContext context{2, c.device};
        ASSERT_EQ(SetFieldNumber(bytes, Named(info->fields(bytes, context), c.field), c.value), "");
        EXPECT_EQ(FieldValueText(Named(info->fields(bytes, context), c.field), c.separator), c.shown);
    }
}

TEST(SettingsBlocks, SettingAValueChecksItFirst) {
    const SettingsBlockInfo* in = FindSettingsBlock("analogInput");
    Bytes bytes = test::Encode(AnalogInputBlock{}, [](auto& io, AnalogInputBlock& b) { AnalogInputLayout(io, b); });
    const auto fields = in->fields(bytes, 0);
    struct Case {
        const char* field;
        double value;
        const char* refusal;  // part of the message, nullptr when taken
    } cases[] = {
        {"scaleLow", -12.5, nullptr},  {"scaleLow", 1.234, "tizedesjegy"}, {"scaleLow", 3e9, "tartomány"},
        {"inputType", 5, "tartomány"}, {"inputType", 4, nullptr},          {"decimals", std::nan(""), "véges"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + std::to_string(c.value));
        Bytes b = bytes;
        const std::string why = SetFieldNumber(b, Named(fields, c.field), c.value);
        if (!c.refusal) {
            EXPECT_EQ(why, "");
            EXPECT_DOUBLE_EQ(Named(in->fields(b, 0), c.field).number, c.value);
        } else {
            EXPECT_NE(why.find(c.refusal), std::string::npos) << why;
            EXPECT_EQ(b, bytes) << "a refused value changes nothing";
        }
    }
    Bytes set(139, 0);
    const std::vector<BlockField> setFields = FindSettingsBlock("settingsSet")->fields(set, 0);
    const BlockField& tag = Named(setFields, "tagname");
    EXPECT_EQ(SetFieldText(set, tag, "Tartály \xC3\xA1"), "");
    EXPECT_EQ(Named(FindSettingsBlock("settingsSet")->fields(set, 0), "tagname").text, "Tartály \xC3\xA1");
    EXPECT_NE(SetFieldText(set, tag, "\xE2\x82\xAC"), "") << "the euro sign has no Latin-1 byte";
}

// The instrument keeps its stored integers when its decimals change: the
// measured decimals follow the input block that sets them, and a limit
// whose integer stayed reads as another value, shown but never written.
TEST(SettingsBlocks, ADecimalsChangeMovesTheValuesThatReadInIt) {
    auto input = [](uint8_t decimals) {
        AnalogInputBlock b;
        b.decimals = decimals;
        return test::Encode(b, [](auto& io, AnalogInputBlock& x) { AnalogInputLayout(io, x); });
    };
    auto rtd = [](uint8_t mode, uint8_t decimals) {
        RtdBlock b;
        b.mode = mode;
        b.decimals = decimals;
        return test::Encode(b, [](auto& io, RtdBlock& x) { RtdLayout(io, x); });
    };
    auto set = [](uint8_t decimals) {
        SettingsSet s;
        s.decimals = decimals;
        return test::Encode(s, [](auto& io, SettingsSet& x) { SettingsSetLayout(io, x); });
    };
    LimitBlock relay;
    const Bytes limit = test::Encode(relay, [](auto& io, LimitBlock& b) { LimitLayout(io, b); });
    relay.a = 1800;
    const Bytes limitEdited = test::Encode(relay, [](auto& io, LimitBlock& b) { LimitLayout(io, b); });
    struct Case {
        const char* what;
        BlockImages from, to;
        int decimals;  // from 2
    } cases[] = {
        {"input decimals 2 to 1", {{"analogInput", input(2)}}, {{"analogInput", input(1)}}, 1},
        {"input unchanged: the file's word stands", {{"analogInput", input(3)}}, {{"analogInput", input(3)}}, 2},
        {"a limit changed", {{"limit1", limit}}, {{"limit1", limitEdited}}, 2},
        {"a Pt sensor has decimals of its own", {{"rtdInput", rtd(kRtdPt, 1)}}, {{"rtdInput", rtd(kRtdPt, 3)}}, 2},
        {"to the scaled potentiometer",
         {{"rtdInput", rtd(kRtdPt, 3)}},
         {{"rtdInput", rtd(kRtdScaledPotentiometer, 3)}},
         3},
        {"the settings set's decimals", {{"settingsSet", set(2)}}, {{"settingsSet", set(0)}}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(FollowMeasuredDecimals(2, c.from, c.to), c.decimals) << c.what;

    const BlockImages before{{"analogInput", input(2)}, {"limit1", limit}};
    const BlockImages after{{"analogInput", input(1)}, {"limit1", limit}};
    const std::vector<FieldRow> rows = CompareBlocks(before, {2, 330}, after, {1, 330});
    std::map<std::string, const FieldRow*> by;
    for (const FieldRow& r : rows) by[std::string(r.block->name) + "." + r.mine.name] = &r;
    const FieldRow& b = *by.at("limit1.b");
    EXPECT_TRUE(b.differs && b.moved);
    EXPECT_EQ(FieldValueText(b.mine) + " / " + FieldValueText(b.theirs), "90.00 / 900.0");
    EXPECT_TRUE(by.at("analogInput.scaleHigh")->moved) << "the scale in its own block's decimals";
    EXPECT_FALSE(by.at("analogInput.scaleLow")->differs) << "zero is zero in any decimals";
    EXPECT_FALSE(by.at("analogInput.decimals")->moved);
    const BlockImages written = TakeChosen(before, after, rows, std::vector<bool>(rows.size(), true));
    EXPECT_EQ(written.size(), 1u) << "a moved value has nothing of its own to write";
    EXPECT_TRUE(written.count("analogInput"));
}

TEST(SettingsBlocks, EachInstrumentHasTheBlocksOfItsModules) {
    struct Case {
        InstrumentFit fit;
        std::vector<std::string> blocks;
    } cases[] = {
        {{330, 1, 5, 3}, {"analogInput", "analogOutput2", "limit1"}},
        {{330, 2, 4, 5}, {"rtdInput", "limit2", "modbus"}},
        {{530, 0, 0, 0}, {"limit1", "limit2", "display"}},
        {{546, 0, 0, 0}, {"limit1", "limit2", "display"}},
        {{510, 0, 0, 0}, {}},
        {{310, 0, 3, 0}, {"rtdInput", "analogOutput1"}},
        {{370, 0, 0, 0}, {"acInput"}},
        {{210, 0, 0, 0}, {"px210"}},
        {{330, 0, 0, 0, true}, {"settingsSet"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        for (const SettingsBlockInfo* b : BlocksOf(c.fit)) names.push_back(b->name);
        EXPECT_EQ(names, c.blocks) << c.fit.deviceType;
    }
}

TEST(SettingsBlocks, RtdFactoryValuesKeepThePointsMeasuredOnSite) {
    RtdBlock site;
    site.potPercent100 = 812.5f;
    site.scaleHigh = 77;
    RtdBlock factory;
    const Bytes now = test::Encode(site, [](auto& io, RtdBlock& b) { RtdLayout(io, b); });
    const Bytes answer = test::Encode(factory, [](auto& io, RtdBlock& b) { RtdDefaultsLayout(io, b); });
    const Bytes block = FindSettingsBlock("rtdInput")->defaultsAsBlock(answer, now);
    const RtdBlock got = test::Decode<RtdBlock>(block, [](auto& io, RtdBlock& b) { RtdLayout(io, b); });
    EXPECT_EQ(got.potPercent100, 812.5f);
    EXPECT_EQ(got.scaleHigh, factory.scaleHigh);
}

TEST(CommandEngine, RetriesALostAnswerThenGivesUp) {
    CommandEngine e;
    std::vector<CommandResult> results;
    e.Submit(201, {1, 2}, [&](const CommandResult& r) { results.push_back(r); });
    e.Submit(203, {}, [&](const CommandResult& r) { results.push_back(r); });
    EXPECT_EQ(e.StartNext(), 201);
    e.Failed(err::kAnswerTooLong);
    EXPECT_EQ(e.StartNext(), 201) << "asked again before the next";
    e.Failed(err::kCrc);
    EXPECT_EQ(e.StartNext(), 201);
    EXPECT_EQ(e.ActiveRequest(), (std::vector<uint8_t>{1, 2}));
    e.Failed(err::kTimeout);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].error, err::kTimeout);
    EXPECT_EQ(e.StartNext(), 203);
    const uint8_t answer[] = {7, 8};
    e.Answered(answer, 2);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].answer, (std::vector<uint8_t>{7, 8}));
    EXPECT_FALSE(e.Queued());
}

TEST(CommandEngine, AnInstrumentErrorIsNotRetried) {
    CommandEngine e;
    uint8_t error = 0;
    e.Submit(201, {}, [&](const CommandResult& r) { error = r.error; });
    e.StartNext();
    e.Failed(err::kUnknownCommand);
    EXPECT_EQ(error, err::kUnknownCommand);
    EXPECT_FALSE(e.Queued());
}

TEST(CommandEngine, CancelTellsEveryoneAndSwallowsTheLateAnswer) {
    CommandEngine e;
    int cancelled = 0, answered = 0;
    auto done = [&](const CommandResult& r) { r.error == CommandEngine::kCancelled ? ++cancelled : ++answered; };
    e.Submit(201, {}, done);
    e.Submit(203, {}, done);
    e.StartNext();
    e.CancelAll();
    EXPECT_EQ(cancelled, 2);
    const uint8_t late[] = {1};
    e.Answered(late, 1);
    e.Failed(err::kTimeout);
    EXPECT_EQ(answered, 0);
    EXPECT_FALSE(e.Queued()) << "the cancelled command is not asked again";
    e.Submit(205, {}, done);
    EXPECT_EQ(e.StartNext(), 205);
}

// A block shorter than the block could not be written back whole: the save
// stops there and names the block, instead of keeping a file that will not
// load.
TEST(BlockTransfer, AShortBlockAnswerEndsTheRead) {
    CommandEngine e;
    const SettingsBlockInfo* display = FindSettingsBlock("display");
    BlockReadResult result;
    bool done = false;
    ReadBlocks(e, {display}, false, {}, [&](BlockReadResult r) { result = std::move(r), done = true; });
    ASSERT_EQ(e.StartNext(), display->read);
    const Bytes shortAnswer(display->size - 1, 1);
    e.Answered(shortAnswer.data(), shortAnswer.size());
    ASSERT_TRUE(done);
    EXPECT_EQ(result.error, kBlockTooShort);
    EXPECT_EQ(result.failed, display);
    EXPECT_TRUE(result.blocks.empty());
    EXPECT_NE(BlockErrorText(kBlockTooShort).find("rövidebb"), std::string::npos);
}

}  // namespace
}  // namespace velmar
