// The whole record on paper and in its twin: every field the technician
// gives, two check points with input and output, a relay test and an
// expired reference, each with its unit in the PDF's text and in the JSON.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/modules/analog_input_codec.h"
#include "core/modules/analog_output_codec.h"
#include "core/modules/limit_relay_codec.h"
#include "report/report_pdf.h"
#include "tests/support/block_io.h"
#include "tests/support/pdf_text.h"

namespace velmar {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// A PX330 isolator: 4-20 mA in, 0,00 … 100,00 shown, 4-20 mA out, a relay.
ReportSources Isolator() {
    ReportSources s;
    s.header = {U("Kovács Árpád"),
                U("Szivattyúház"),
                "FT-101",
                U("Dunai Vízmű Zrt."),
                "MR-2026/118",
                U("Első üzembe helyezés"),
                QDateTime(QDate(2026, 12, 11), QTime(10, 42)),
                {"Fluke 754", "4471022", QDate(2026, 11, 30)},
                23.5,
                45};
    s.identity = {330, 4711, 22, 7, "2022.07.21."};
    s.fit = {330, 1, 5, 3, false};
    s.context = {2, 330};
    LimitBlock relay;
    relay.a = 8000;  // 80,00
    relay.hysteresis = 150;
    s.asLeft = {
        {"analogInput", test::Encode(AnalogInputBlock{}, [](auto& io, auto& b) { AnalogInputLayout(io, b); })},
        {"analogOutput2", test::Encode(AnalogOutputBlock{}, [](auto& io, auto& b) { AnalogOutputLayout(io, b); })},
        {"limit1", test::Encode(relay, [](auto& io, auto& b) { LimitLayout(io, b); })}};
    s.readingUnit = "m3/h";
    const SignalScales scales = SignalScalesOf(s.asLeft, s.context);
    s.checks.unit = "m3/h";
    s.checks.decimals = 2;
    s.checks.span = 100;
    s.checks.spanSource = "Analóg bemenet (PXAI) skálája";
    DescribeScales(s.checks, scales);
    const CheckLimits limits{100, s.checks.outputSpan, 0.5};
    s.checks.points.push_back(*EvaluateCheckPoint(12, ExpectedAt(scales, 12), 12.016, {50.05, 50.07}, limits));
    s.checks.points.push_back(*EvaluateCheckPoint(20, ExpectedAt(scales, 20), 19.84, {99.98}, limits));
    s.relayTests["limit1"] = {80.1, 78.6};
    return s;
}

TEST(ReportDocument, EveryFieldWithItsUnitInThePdfAndItsTwin) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PX330-004711-jegyzokonyv.pdf");
    const ReportDocument d = BuildReport(Isolator());
    QString error;
    ASSERT_TRUE(SaveReportPdf(d, path, &error)) << error.toStdString();
    const QString text = test::PdfText(path);

    // The page head on every page; the job, the reference and the conditions.
    EXPECT_TRUE(text.contains(QRegularExpression("PX330-004711-20261211-1042 +PX330, gyári szám: 004711 +1 ?/ ?\\d")))
        << text.toStdString();
    for (const QStringList& line : {QStringList{U("Hurokazonosító (tag):"), "FT-101"},
                                    {U("Telephely:"), U("Szivattyúház")},
                                    {U("Megrendelő:"), U("Dunai Vízmű Zrt.")},
                                    {U("Munkaszám / rendelés:"), "MR-2026/118"},
                                    {U("Referencia műszer:"), "Fluke 754"},
                                    {U("Referencia gyári száma:"), "4471022"},
                                    {U("Kalibrálás érvényes:"), U("2026.11.30. – LEJÁRT")},
                                    {U("Környezeti hőmérséklet:"), U("23,5 °C")},
                                    {U("Relatív páratartalom:"), "45 %"},
                                    {U("Figyelem: a referencia műszer kalibrálása")},
                                    // input, expected reading, reading, error, verdict; then the output's
                                    {"12,000 mA", "50,00 m3/h", "50,060 m3/h", "0,060 %", "megfelel"},
                                    {"20,000 mA", "100,00 m3/h", "99,980 m3/h", "-0,020 %", "megfelel"},
                                    {"12,000 mA", "12,000 mA", "12,016 mA", "0,100 %", "megfelel"},
                                    {"20,000 mA", "20,000 mA", "19,840 mA", "-1,000 %", "nem felel meg"},
                                    {U("Összesített eredmény: nem felel meg")},
                                    {U("1. relé"), "80,00 m3/h", "1,50 m3/h", "80,10 m3/h", "78,60 m3/h"}})
        EXPECT_FALSE(test::LineWith(text, line).isEmpty()) << line.join(" | ").toStdString() << "\n"
                                                           << text.toStdString();

    QFile twin(ReportJsonPath(path));
    ASSERT_TRUE(twin.open(QIODevice::ReadOnly)) << "the twin beside the PDF: " << twin.fileName().toStdString();
    EXPECT_TRUE(twin.fileName().endsWith("PX330-004711-jegyzokonyv.json"));
    const QJsonObject j = QJsonDocument::fromJson(twin.readAll()).object();
    EXPECT_EQ(j["number"].toString(), "PX330-004711-20261211-1042");
    for (const auto& [key, value] :
         {std::pair{"tag", "FT-101"}, {"order", "MR-2026/118"}, {"technician", "Kovács Árpád"}})
        EXPECT_EQ(j[key].toString(), U(value)) << key;
    EXPECT_EQ(j["customer"].toString(), U("Dunai Vízmű Zrt."));
    const QJsonObject reference = j["reference"].toObject();
    EXPECT_EQ(reference["due"].toString(), "2026-11-30");
    EXPECT_TRUE(reference["expired"].toBool());
    EXPECT_EQ(j["conditions"]["ambient"].toObject(), (QJsonObject{{"value", 23.5}, {"unit", U("°C")}}));
    EXPECT_EQ(j["conditions"]["humidity"].toObject(), (QJsonObject{{"value", 45}, {"unit", "%"}}));
    const QJsonArray points = j["checks"]["points"].toArray();
    ASSERT_EQ(points.size(), 2);
    const QJsonObject second = points[1].toObject();
    EXPECT_EQ(second["input"].toObject(), (QJsonObject{{"value", 20}, {"unit", "mA"}}));
    EXPECT_EQ(second["expectedReading"].toObject(), (QJsonObject{{"value", 100}, {"unit", "m3/h"}}));
    EXPECT_EQ(second["output"].toObject(), (QJsonObject{{"value", 19.84}, {"unit", "mA"}}));
    EXPECT_EQ(second["expectedOutput"].toObject(), (QJsonObject{{"value", 20}, {"unit", "mA"}}));
    EXPECT_NEAR(second["outputError"]["value"].toDouble(), -1.0, 1e-9);
    EXPECT_EQ(second["outputError"]["unit"].toString(), "%");
    EXPECT_TRUE(second["readingVerdict"]["passes"].toBool());
    EXPECT_EQ(second["verdict"]["text"].toString(), "nem felel meg");
    EXPECT_EQ(j["checks"]["verdict"]["text"].toString(), "nem felel meg");
    const QJsonObject relay = j["relays"][0].toObject();
    EXPECT_EQ(relay["a"].toObject(), (QJsonObject{{"text", "80,00"}, {"unit", "m3/h"}}));
    EXPECT_EQ(relay["switchedAt"].toObject(), (QJsonObject{{"value", 80.1}, {"unit", "m3/h"}}));
    EXPECT_EQ(relay["releasedAt"].toObject(), (QJsonObject{{"value", 78.6}, {"unit", "m3/h"}}));
    EXPECT_FALSE(j["blocks"].toArray().isEmpty());
}

TEST(ReportDocument, ARelayNotTestedAndNoReferenceSayItSo) {
    ReportSources s = Isolator();
    s.relayTests.clear();
    s.header.reference = {};
    s.header.ambient.reset();
    s.checks.points.clear();
    const ReportDocument d = BuildReport(s);
    EXPECT_FALSE(d.referenceExpired);
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(SaveReportPdf(d, dir.filePath("r.pdf"), &error));
    const QString text = test::PdfText(dir.filePath("r.pdf"));
    for (const QStringList& line : {QStringList{U("1. relé"), U("nem vizsgált")},
                                    {U("Referencia műszer:"), "nincs megadva"},
                                    {U("Környezeti hőmérséklet:"), "nincs megadva"}})
        EXPECT_FALSE(test::LineWith(text, line).isEmpty()) << line.join(" | ").toStdString() << "\n"
                                                           << text.toStdString();
    EXPECT_FALSE(text.contains("LEJÁRT"));
    QFile twin(dir.filePath("r.json"));
    ASSERT_TRUE(twin.open(QIODevice::ReadOnly));
    const QJsonObject j = QJsonDocument::fromJson(twin.readAll()).object();
    EXPECT_FALSE(j["relays"][0]["tested"].toBool());
    EXPECT_TRUE(j["reference"]["due"].isNull());
    EXPECT_TRUE(j["conditions"]["ambient"].isNull());
}

}  // namespace
}  // namespace velmar
