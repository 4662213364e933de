// The report's document without a window: the visit the journal tells, the
// check point's verdict and the span of the input's scale.

#include <gtest/gtest.h>

#include "core/modules/analog_input_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "core/modules/rtd_input_codec.h"
#include "core/link/payload_io.h"
#include "report/report_model.h"

namespace velmar {
namespace {

JournalEntry Entry(int minute, const char* session, JournalEntry::Kind kind, const char* block, Bytes before, Bytes after) {
    return {QDateTime(QDate(2026, 3, 1), QTime(8, 0)).addSecs(60 * minute), kind, session, block, before, after};
}
constexpr auto kFound = JournalEntry::AsFound;
constexpr auto kWritten = JournalEntry::Written;

TEST(ReportVisit, FoundIsTheFirstReadingBeforeAnyWriteOfTheVisit) {
    const std::vector<JournalEntry> journal = {
        Entry(0, "a", kFound, "limit1", {}, {9}),         // an earlier visit
        Entry(300, "b", kFound, "analogInput", {}, {1}),  // hours later: this visit
        Entry(301, "b", kWritten, "analogInput", {1}, {2}),
        Entry(302, "b", kWritten, "limit1", {}, {3}),     // written before it was read
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
                          Case{"b", {{"analogInput", {1}}}, 2},                   // the window's attach
                          Case{"c", {{"analogInput", {2}}, {"limit1", {3}}, {"modbus", {4}}}, 0},
                          Case{"z", {}, 0}}) {
        const Visit v = VisitOf(journal, c.session);
        EXPECT_EQ(v.asFound, c.found) << c.session;
        EXPECT_EQ(v.writes.size(), c.writes) << c.session;
    }
    EXPECT_FALSE(VisitOf({}).Known());
}

// A visit that changed the input's decimals: as found reads in the decimals
// the instrument had then, so a limit whose integer stayed shows what it
// meant and what it means now, marked as changed.
TEST(ReportModel, ValuesReadInTheDecimalsInForceWhenTheyWereFoundAndWritten) {
    auto encode = [](auto block, auto layout) {
        Bytes out;
        BytesWriter w(out);
        layout(w, block);
        return out;
    };
    auto input = [&](uint8_t decimals) {
        AnalogInputBlock b;
        b.decimals = decimals;
        return encode(b, [](auto& io, AnalogInputBlock& x) { AnalogInputLayout(io, x); });
    };
    const Bytes limit = encode(LimitBlock{}, [](auto& io, LimitBlock& x) { LimitLayout(io, x); });
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

TEST(ReportCheckPoint, ErrorInPercentOfTheSpanAgainstTheTolerance) {
    struct Case {
        double reference;
        std::vector<double> readings;
        double span, tolerance;
        double error;
        bool passes;
    };
    for (const Case& c : {Case{50, {50.1, 50.3}, 100, 0.5, 0.2, true},
                          Case{50, {50.5}, 100, 0.5, 0.5, true},  // on the limit
                          Case{50, {49.4}, 100, 0.5, -0.6, false},
                          Case{-20, {-19}, 200, 0.25, 0.5, false}}) {
        const std::optional<CheckPoint> p = EvaluateCheckPoint(c.reference, c.readings, c.span, c.tolerance);
        ASSERT_TRUE(p) << c.reference;
        EXPECT_NEAR(p->errorPercent, c.error, 1e-9) << c.reference;
        EXPECT_EQ(p->passes, c.passes) << c.reference;
        EXPECT_EQ(p->samples, int(c.readings.size()));
    }
    const std::optional<CheckPoint> spread = EvaluateCheckPoint(10, {9, 11}, 100, 1);
    EXPECT_NEAR(spread->spread, std::sqrt(2.0), 1e-9);
    EXPECT_FALSE(EvaluateCheckPoint(10, {}, 100, 1)) << "no readings";
    EXPECT_FALSE(EvaluateCheckPoint(10, {10}, 0, 1)) << "no span";
}

template <class Block, class Layout>
Bytes BytesOf(Block b, Layout layout) {
    Bytes out;
    BytesWriter w(out);
    layout(w, b);
    return out;
}

TEST(ReportCheckPoint, SpanFromTheInputsScale) {
    AnalogInputBlock ai;
    ai.decimals = 1;
    ai.scaleLow = -500;
    ai.scaleHigh = 1500;
    RtdBlock pt, pot;
    pot.mode = kRtdScaledPotentiometer;
    pot.decimals = 0;
    pot.scaleLow = 0;
    pot.scaleHigh = 250;
    const Bytes aiBytes = BytesOf(ai, [](auto& io, AnalogInputBlock& b) { AnalogInputLayout(io, b); });
    const Bytes ptBytes = BytesOf(pt, [](auto& io, RtdBlock& b) { RtdLayout(io, b); });
    const Bytes potBytes = BytesOf(pot, [](auto& io, RtdBlock& b) { RtdLayout(io, b); });
    EXPECT_DOUBLE_EQ(InputScaleOf({{"analogInput", aiBytes}}, {})->Span(), 200);
    EXPECT_DOUBLE_EQ(InputScaleOf({{"rtdInput", potBytes}}, {})->Span(), 250);
    EXPECT_FALSE(InputScaleOf({{"rtdInput", ptBytes}}, {})) << "a temperature has no scale to read";
    EXPECT_FALSE(InputScaleOf({{"limit1", Bytes(30, 0)}}, {}));
}

}  // namespace
}  // namespace velmar
