// The recorder's CSV lines and its file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "core/device/records.h"
#include "core/trend/trend_csv.h"
#include "core/trend/trend_recorder.h"
#include "tests/support/full_disk.h"

namespace velmar {
namespace {

// 2026-12-10 14:26:34.056 UTC
constexpr int64_t kTime = 1796912794056;

TEST(TrendCsv, TimeStampsAreIso8601LocalTimeWithMilliseconds) {
    EXPECT_EQ(IsoTimestamp(kTime, 0), "2026-12-10T14:26:34.056+00:00");
    EXPECT_EQ(IsoTimestamp(kTime, 60), "2026-12-10T15:26:34.056+01:00");
    EXPECT_EQ(IsoTimestamp(kTime, -330), "2026-12-10T08:56:34.056-05:30");
    EXPECT_EQ(IsoTimestamp(kTime - 14 * 3600'000 - 27 * 60'000, 0), "2026-12-09T23:59:34.056+00:00");
    EXPECT_EQ(IsoTimestamp(0, 0), "1970-01-01T00:00:00.000+00:00");
    // Beside it, the local time a spreadsheet reads as a date.
    EXPECT_EQ(LocalDateTime(kTime, 60), "2026-12-10 15:26:34");
    EXPECT_EQ(LocalDateTime(kTime, -330), "2026-12-10 08:56:34");
}

TEST(TrendCsv, LinesCarryTheValuesWithTheirDecimals) {
    CsvContext c{"PX330", "004711/22.07", "mA", '.', 60};
    TrendSample s;
    s.timeMs = kTime;
    s.decimals = 2;
    s.value1 = 9500;
    s.range1 = 0.95f;
    s.relays = 0b0101;
    s.errorCode = 3;
    struct Case {
        int32_t value;
        uint8_t decimals;
        const char* text;
    } cases[] = {{9500, 2, "95.00"},
                 {-5, 2, "-0.05"},
                 {5, 4, "0.0005"},
                 {-123456, 0, "-123456"},
                 {-2147483647 - 1, 3, "-2147483.648"},
                 {7, 1, "0.7"}};
    for (const Case& k : cases) {
        s.value1 = k.value;
        s.decimals = k.decimals;
        std::string line;
        AppendCsvLine(line, s, c);
        EXPECT_EQ(line, "2026-12-10T15:26:34.056+01:00;2026-12-10 15:26:34;PX330;004711/22.07;" + std::string(k.text) +
                            ";;mA;" + std::to_string(k.decimals) + ";95.00;;;;;;1;0;1;0;3;\r\n");
    }

    // A Modbus input has two values; a decimal comma, and a unit that needs quoting.
    s.value1 = 1234;
    s.decimals = 2;
    s.hasValue2 = true;
    s.value2 = -1;
    s.range2 = 0.125f;
    c.decimalSeparator = ',';
    c.unit = "m;3";
    std::string line;
    AppendCsvLine(line, s, c);
    EXPECT_EQ(line,
              "2026-12-10T15:26:34.056+01:00;2026-12-10 15:26:34;PX330;004711/22.07;12,34;-0,01;\"m;3\";2;95,00;"
              "12,50;;;;;1;0;1;0;3;\r\n");

    // An analog output in the second slot, giving out volts: its value and unit.
    s.analog2 = 7.25f;
    s.analogVolts = 2;
    line.clear();
    AppendCsvLine(line, s, c);
    EXPECT_NE(line.find(";95,00;12,50;;;7,250;V;1;0;1;0;3;"), std::string::npos) << line;
}

TEST(TrendCsv, TheAnalogOutputsComeFromTheirSlotsOnly) {
    tRX rx;
    rx.fKimenetSzazalek = 0.5f;
    rx.fPXAOKimenoFizErtek = 12.0f;
    rx.fPXAOKimenoFizErtek_2 = 3.0f;
    rx.uAnalogueTypeFor101_2 = 2;  // volts
    rx.uPXOptOutPrimer = 5;  // a relay: no analog value however the record reads
    rx.uPXOptOutSecondary = 3;
    const TrendSample s = TrendSampleOf(rx, kTime);
    EXPECT_FLOAT_EQ(s.range1, 0.5f);
    EXPECT_TRUE(s.analog1 != s.analog1);
    EXPECT_FLOAT_EQ(s.analog2, 3.0f);
    EXPECT_STREQ(AnalogUnit(s, 1), "V");
    rx.uPXOptOutPrimer = 3;
    EXPECT_FLOAT_EQ(TrendSampleOf(rx, kTime).analog1, 12.0f);
    EXPECT_STREQ(AnalogUnit(TrendSampleOf(rx, kTime), 0), "mA");
}

TEST(TrendCsv, AGapHasNoValuesButTheNoteAndAllTheColumns) {
    TrendSample gap;
    gap.timeMs = kTime;
    gap.gap = true;
    gap.value1 = 42;  // whatever it holds is not written
    std::string line;
    AppendCsvLine(line, gap, CsvContext{"PX530", "000001/20.01", "%", '.', 0});
    EXPECT_EQ(
        line,
        "2026-12-10T14:26:34.056+00:00;2026-12-10 14:26:34;PX530;000001/20.01;;;;;;;;;;;;;;;;Nincs kapcsolat\r\n");
    const std::string header = CsvHeaderLine();
    EXPECT_EQ(std::count(line.begin(), line.end(), ';'), std::count(header.begin(), header.end(), ';'));
    EXPECT_EQ(header.substr(0, 3), "\xEF\xBB\xBF");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TrendRecorder, WritesWholeLinesOnlyAndCountsThem) {
    char name[] = "/tmp/trend_recorder_XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    TrendRecorder r;
    std::string error;
    ASSERT_TRUE(r.Open(name, &error)) << error;
    EXPECT_EQ(ReadFile(name), CsvHeaderLine());
    r.Buffer() += "a;1\r\n";
    r.LineAdded();
    r.Buffer() += "b;2\r\n";
    r.LineAdded();
    EXPECT_EQ(r.Records(), 2u);
    EXPECT_EQ(r.Bytes(), CsvHeaderLine().size() + 10);
    EXPECT_EQ(ReadFile(name), CsvHeaderLine()) << "nothing before the flush";
    ASSERT_TRUE(r.Flush(&error));
    EXPECT_EQ(ReadFile(name), CsvHeaderLine() + "a;1\r\nb;2\r\n");
    // A big buffer goes out by itself, whole.
    for (int i = 0; i < 10000; ++i) {
        r.Buffer() += "0123456789\r\n";
        r.LineAdded();
    }
    const std::string written = ReadFile(name);
    EXPECT_GT(written.size(), CsvHeaderLine().size() + 10);
    EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
    r.Buffer() += "c;3\r\n";
    r.LineAdded();
    ASSERT_TRUE(r.Close(&error));
    const std::string all = ReadFile(name);
    EXPECT_EQ(all.size(), r.Bytes());
    EXPECT_EQ(all.substr(all.size() - 5), "c;3\r\n");
    std::remove(name);
}

TEST(TrendRecorder, AFileThatCannotBeMadeIsRefusedWithTheReason) {
    TrendRecorder r;
    std::string error;
    EXPECT_FALSE(r.Open("/nonexistent-folder/x.csv", &error));
    EXPECT_FALSE(r.IsOpen());
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(r.Flush());
    EXPECT_TRUE(r.Close());
}

TEST(TrendRecorder, AFullDiskStopsItWithoutHalfALine) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
    TrendRecorder r;
    std::string error;
    EXPECT_FALSE(r.Open("/dev/full", &error));
    EXPECT_NE(error.find("No space"), std::string::npos) << error;
    EXPECT_FALSE(r.IsOpen()) << "a recording that cannot be written stops";
}

#ifndef _WIN32  // a full disk is simulated by a file size limit, which Windows has not
// The buffer written out by itself as it fills, on a full disk: the file
// keeps whole lines, and the failure waits to be told.
TEST(TrendRecorder, AFailedWriteOfAFullBufferIsKeptToBeTold) {
    char name[] = "/tmp/trend_recorder_XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    TrendRecorder r;
    std::string error;
    ASSERT_TRUE(r.Open(name, &error)) << error;
    {
        test::FullDisk full;
        for (int i = 0; i < 10000 && r.IsOpen(); ++i) {
            r.Buffer() += "0123456789\r\n";
            r.LineAdded();
        }
    }
    EXPECT_FALSE(r.IsOpen());
    EXPECT_FALSE(r.TakeFailure().empty());
    EXPECT_TRUE(r.TakeFailure().empty()) << "told once";
    EXPECT_EQ(ReadFile(name), CsvHeaderLine());
    std::remove(name);
}
#endif

}  // namespace
}  // namespace velmar
