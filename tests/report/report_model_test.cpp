// The report's document without a window: the visit the journal tells, the
// check point's verdicts and what the instrument's scales expect.

#include <gtest/gtest.h>

#include "core/modules/analog_input_codec.h"
#include "core/modules/analog_output_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/rtd_input_codec.h"
#include "core/views/px210_codec.h"
#include "report/report_model.h"
#include "tests/support/block_io.h"

namespace velmar {
namespace {

JournalEntry Entry(int minute, const char* session, JournalEntry::Kind kind, const char* block, Bytes before,
                   Bytes after) {
    return {QDateTime(QDate(2026, 3, 1), QTime(8, 0)).addSecs(60 * minute), kind, session, block, before, after};
}
constexpr auto kFound = JournalEntry::AsFound;
constexpr auto kWritten = JournalEntry::Written;

TEST(ReportVisit, FoundIsTheFirstReadingBeforeAnyWriteOfTheVisit) {
    const std::vector<JournalEntry> journal = {
        Entry(0, "a", kFound, "limit1", {}, {9}),  // an earlier visit
        Entry(300, "b", kFound, "analogInput", {}, {1}),  // hours later: this visit
        Entry(301, "b", kWritten, "analogInput", {1}, {2}),
        Entry(302, "b", kWritten, "limit1", {}, {3}),  // written before it was read
        Entry(310, "c", kFound, "analogInput", {}, {2}),  // a later command reads what was written
        Entry(311, "c", kFound, "limit1", {}, {3}),
        Entry(312, "c", kFound, "modbus", {}, {4}),
    };
    struct Case {
        const char* session;
        BlockImages found;
        std::size_t writes;
    };
    for (const Case& c : {Case{"", {{"analogInput", {1}}, {"modbus", {4}}}, 2},  // the tool's run of commands
                          Case{"b", {{"analogInput", {1}}}, 2},  // the window's attach
                          Case{"c", {{"analogInput", {2}}, {"limit1", {3}}, {"modbus", {4}}}, 0}, Case{"z", {}, 0}}) {
        const Visit v = VisitOf(journal, c.session);
        EXPECT_EQ(v.asFound, c.found) << c.session;
        EXPECT_EQ(v.writes.size(), c.writes) << c.session;
    }
    EXPECT_FALSE(VisitOf({}).Known());
}

TEST(ReportCheckPoint, ErrorsInPercentOfTheirSpansAgainstTheTolerance) {
    struct Case {
        double expected;
        std::vector<double> readings;
        std::optional<double> output, expectedOutput;
        double span, tolerance;
        double error, outputError;
        bool readingPasses, passes;
    };
    // The output's span is 16 mA throughout.
    for (const Case& c : {Case{50, {50.1, 50.3}, {}, {}, 100, 0.5, 0.2, 0, true, true},
                          Case{50, {50.5}, {}, {}, 100, 0.5, 0.5, 0, true, true},  // on the limit
                          Case{50, {49.4}, {}, {}, 100, 0.5, -0.6, 0, false, false},
                          Case{-20, {-19}, {}, {}, 200, 0.25, 0.5, 0, false, false},
                          Case{50, {50}, 12.08, 12, 100, 0.5, 0, 0.5, true, true},
                          Case{50, {50}, 12.16, 12, 100, 0.5, 0, 1, true, false}}) {  // the output alone fails
        const Expected expected{c.expected, c.expectedOutput};
        const std::optional<CheckPoint> p =
            EvaluateCheckPoint(7, expected, c.output, c.readings, {c.span, 16, c.tolerance});
        ASSERT_TRUE(p) << c.expected;
        EXPECT_EQ(p->input, 7);
        EXPECT_NEAR(p->errorPercent, c.error, 1e-9) << c.expected;
        EXPECT_NEAR(p->outputErrorPercent, c.outputError, 1e-9) << c.expected;
        EXPECT_EQ(p->readingPasses, c.readingPasses) << c.expected;
        EXPECT_EQ(p->Passes(), c.passes) << c.expected;
        EXPECT_EQ(p->samples, int(c.readings.size()));
    }
    EXPECT_FALSE(EvaluateCheckPoint(10, {10}, {}, {}, {100, 0, 1})) << "no readings";
    EXPECT_FALSE(EvaluateCheckPoint(10, {10}, {}, {10}, {0, 0, 1})) << "no span";
}

TEST(ReportCheckPoint, ASpreadBeyondTheLimitIsUnsteady) {
    const CheckLimits limits{100, 0, 1, kSteadyPercent};
    const std::optional<CheckPoint> steady = EvaluateCheckPoint(10, {10}, {}, {10.0, 10.1, 10.0, 10.1}, limits);
    EXPECT_TRUE(steady->steady) << steady->spread;
    const std::optional<CheckPoint> sweeping = EvaluateCheckPoint(10, {10}, {}, {9, 11}, limits);
    EXPECT_NEAR(sweeping->spread, std::sqrt(2.0), 1e-9);
    EXPECT_FALSE(sweeping->steady);
    EXPECT_TRUE(sweeping->Passes()) << "steadiness is asked about, not judged";
}

// A block's bytes through its own layout.
Bytes Image(AnalogInputBlock b) {
    return test::Encode(b, [](auto& io, auto& x) { AnalogInputLayout(io, x); });
}
Bytes Image(AnalogOutputBlock b) {
    return test::Encode(b, [](auto& io, auto& x) { AnalogOutputLayout(io, x); });
}
Bytes Image(RtdBlock b) {
    return test::Encode(b, [](auto& io, auto& x) { RtdLayout(io, x); });
}
Bytes Image(PX210Block b) {
    return test::Encode(b, [](auto& io, auto& x) { PX210Layout(io, x); });
}
Bytes Image(LimitBlock b) {
    return test::Encode(b, [](auto& io, auto& x) { LimitLayout(io, x); });
}

// A visit that changed the input's decimals: as found reads in the decimals
// the instrument had then, so a limit whose integer stayed shows what it
// meant and what it means now, marked as changed.
TEST(ReportModel, ValuesReadInTheDecimalsInForceWhenTheyWereFoundAndWritten) {
    auto input = [](uint8_t decimals) {
        AnalogInputBlock b;
        b.decimals = decimals;
        return Image(b);
    };
    const Bytes limit = Image(LimitBlock{});
    ReportSources s;
    s.identity.deviceType = 330;
    s.fit = {330, 1, 5, 0};
    s.context = {1, 330};
    s.asLeft = {{"analogInput", input(1)}, {"limit1", limit}};
    s.visit.asFound = {{"analogInput", input(2)}, {"limit1", limit}};
    s.visit.writes = {Entry(1, "b", kWritten, "analogInput", input(2), input(1))};
    const ReportDocument d = BuildReport(s);
    std::map<QString, ReportRow> rows;
    for (const ReportBlock& b : d.blocks)
        for (const ReportRow& r : b.rows) rows[b.caption + " / " + r.caption] = r;
    const ReportRow b = rows.at(QString::fromUtf8("Határérték kimenet 1 (PXRL) / B érték"));
    EXPECT_EQ(b.found + " → " + b.left, QString::fromUtf8("90,00 → 900,0"));
    EXPECT_TRUE(b.changed);
    ASSERT_EQ(d.writes.size(), 1u);
    EXPECT_TRUE(d.writes[0].changes.contains(QString::fromUtf8("Skála felső számérték: 100,00 → 1000,0")))
        << d.writes[0].changes.join(" | ").toStdString();
}

TEST(ReportSignalScales, ExpectedReadingAndOutputFromTheSettings) {
    struct Case {
        const char* what;
        BlockImages blocks;
        double input;
        const char* inputUnit;
        double reading;
        std::optional<double> output;
    };
    AnalogInputBlock ai;  // 4-20 mA to 0,00 … 100,00
    AnalogInputBlock volts = ai;
    volts.inputType = 4;  // 2-10 V
    volts.decimals = 1;
    volts.scaleLow = -500;
    volts.scaleHigh = 1500;
    AnalogOutputBlock ao;  // 0,00 … 100,00 to 4-20 mA
    AnalogOutputBlock aoVolts = ao;
    aoVolts.type = 2;  // 0-10 V over 50,00 … 100,00
    aoVolts.scaleLow = 5000;
    RtdBlock pt, ohm, pot, scaledPot;
    ohm.mode = kRtdResistance;
    pot.mode = kRtdPotentiometer;
    pot.potPercent0 = 100;
    pot.potPercent100 = 1100;
    scaledPot = pot;
    scaledPot.mode = kRtdScaledPotentiometer;
    scaledPot.decimals = 0;
    scaledPot.scaleLow = 0;
    scaledPot.scaleHigh = 250;
    PX210Block px210;
    px210.decimals = 0;
    px210.scaleLow = 0;
    px210.scaleHigh = 1600;
    const FieldContext context{2, 330};
    for (const Case& c : {
             Case{"current", {{"analogInput", Image(ai)}}, 12, "mA", 50, {}},
             Case{"voltage", {{"analogInput", Image(volts)}}, 6, "V", 50, {}},
             Case{"isolator", {{"analogInput", Image(ai)}, {"analogOutput1", Image(ao)}}, 8, "mA", 25, 8},
             Case{"output in volts", {{"analogInput", Image(ai)}, {"analogOutput2", Image(aoVolts)}}, 16, "mA", 75, 5},
             Case{"Pt100", {{"rtdInput", Image(pt)}}, 21.5, "°C", 21.5, {}},
             Case{"resistance", {{"rtdInput", Image(ohm)}}, 350, "Ω", 350, {}},
             Case{"potentiometer", {{"rtdInput", Image(pot)}}, 350, "Ω", 25, {}},
             Case{"scaled potentiometer", {{"rtdInput", Image(scaledPot)}}, 600, "Ω", 125, {}},
             Case{"PX210", {{"px210", Image(px210)}}, 8, "mA", 400, {}},
             Case{"no input known", {{"limit1", Image(LimitBlock{})}}, 42, "", 42, {}},
         }) {
        const SignalScales scales = SignalScalesOf(c.blocks, context);
        EXPECT_EQ(scales.inputUnit, c.inputUnit) << c.what;
        const Expected e = ExpectedAt(scales, c.input);
        EXPECT_NEAR(e.reading, c.reading, 1e-9) << c.what;
        EXPECT_EQ(e.output.has_value(), c.output.has_value()) << c.what;
        if (c.output && e.output) EXPECT_NEAR(*e.output, *c.output, 1e-9) << c.what;
    }
    EXPECT_DOUBLE_EQ(SignalScalesOf({{"analogInput", Image(volts)}}, context).input.ToSpan(), 200);
    EXPECT_FALSE(SignalScalesOf({{"rtdInput", Image(pt)}}, context).readingScaleKnown)
        << "a temperature's span is typed";
}

}  // namespace
}  // namespace velmar
