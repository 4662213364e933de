#pragma once
// The recorder's CSV: one line per status answer, a marked line where the
// link was lost. Fields are separated by ';' so that a decimal comma can
// stand in the numbers, as spreadsheets in Hungary expect.

#include <cstdint>
#include <string>

#include "core/trend/trend_buffer.h"

namespace velmar {

// What the lines say about the instrument besides the sample itself.
struct CsvContext {
    std::string device;  // the device type's name, as in the header
    std::string serial;  // "004711/22.07"
    std::string unit;  // of value 1 and 2, empty when not known
    char decimalSeparator = '.';
    int utcOffsetMinutes = 0;  // of the local time written
};

// "2026-12-10T14:26:34.123+01:00": ISO 8601 local time with milliseconds.
std::string IsoTimestamp(int64_t timeMs, int utcOffsetMinutes);

// "2026-12-10 14:26:34": the same local time to the second, in the form a
// spreadsheet takes for a date and time whatever its language.
std::string LocalDateTime(int64_t timeMs, int utcOffsetMinutes);

// The first line of a file: a byte order mark (spreadsheets read the
// accented captions as UTF-8 only then) and the column captions.
std::string CsvHeaderLine();

// Appends the line of a sample, ended by "\r\n". A gap has its time, the
// instrument and the note "Nincs kapcsolat" but no values: nothing is made up.
void AppendCsvLine(std::string& out, const TrendSample& s, const CsvContext& context);

}  // namespace velmar
