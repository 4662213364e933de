#include "core/trend/trend_csv.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace velmar {

namespace {
constexpr char kSeparator = ';';

// A text field, quoted when it holds the separator, a quote or a line break.
void AppendText(std::string& out, const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// An integer with implied decimals, exactly: -5 with 2 decimals is -0.05.
void AppendScaled(std::string& out, int32_t value, int decimals, char separator) {
    char digits[16];
    const int64_t magnitude = value < 0 ? -int64_t(value) : int64_t(value);
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
    std::string text(digits, end);
    if (decimals > 0) {
        if (int(text.size()) <= decimals) text.insert(0, std::size_t(decimals + 1 - int(text.size())), '0');
        text.insert(text.size() - std::size_t(decimals), 1, separator);
    }
    if (value < 0) out += '-';
    out += text;
}

void AppendFixed(std::string& out, double value, int decimals, char separator) {
    char text[48];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    for (char* c = text; c != end; ++c)
        if (*c == '.') *c = separator;
    out.append(text, end);
}

// A percentage with two decimals.
void AppendPercent(std::string& out, float fraction, char separator) {
    AppendFixed(out, double(fraction) * 100.0, 2, separator);
}

// An analog output's value in mA or V with three decimals, as the header
// shows it, and its unit; two empty fields without one.
void AppendAnalog(std::string& out, const TrendSample& s, int slot, char separator) {
    const float value = slot == 0 ? s.analog1 : s.analog2;
    out += kSeparator;
    if (value == value) AppendFixed(out, double(value), 3, separator);
    out += kSeparator;
    if (value == value) out += AnalogUnit(s, slot);
}

void AppendNumber(std::string& out, long value) {
    char text[24];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    out.append(text, end);
}
}  // namespace

std::string IsoTimestamp(int64_t timeMs, int utcOffsetMinutes) {
    int64_t ms = timeMs % 1000;
    int64_t seconds = timeMs / 1000;
    if (ms < 0) ms += 1000, --seconds;
    const std::time_t local = std::time_t(seconds + int64_t(utcOffsetMinutes) * 60);
    std::tm t{};
    gmtime_r(&local, &t);
    const int offset = utcOffsetMinutes < 0 ? -utcOffsetMinutes : utcOffsetMinutes;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, int(ms), utcOffsetMinutes < 0 ? '-' : '+', offset / 60,
                  offset % 60);
    return text;
}

std::string LocalDateTime(int64_t timeMs, int utcOffsetMinutes) {
    return IsoTimestamp(timeMs, utcOffsetMinutes).substr(0, 19).replace(10, 1, " ");
}

std::string CsvHeaderLine() {
    return "\xEF\xBB\xBF"
           "Idő;Helyi idő;Készülék;Gyári szám;Érték 1;Érték 2;Mértékegység;Tizedesjegyek;"
           "Érték 1 a tartományban (%);Érték 2 a tartományban (%);"
           "Analóg kimenet 1;Analóg kimenet 1 egysége;Analóg kimenet 2;Analóg kimenet 2 egysége;"
           "Relé 1;Relé 2;Relé 3;Relé 4;Hibakód;Megjegyzés\r\n";
}

void AppendCsvLine(std::string& out, const TrendSample& s, const CsvContext& context) {
    out += IsoTimestamp(s.timeMs, context.utcOffsetMinutes);
    out += kSeparator;
    out += LocalDateTime(s.timeMs, context.utcOffsetMinutes);
    out += kSeparator;
    AppendText(out, context.device);
    out += kSeparator;
    AppendText(out, context.serial);
    out += kSeparator;
    if (s.gap) {
        // Value 1 .. error code stay empty.
        out += ";;;;;;;;;;;;;;;Nincs kapcsolat\r\n";
        return;
    }
    AppendScaled(out, s.value1, s.decimals, context.decimalSeparator);
    out += kSeparator;
    if (s.hasValue2) AppendScaled(out, s.value2, s.decimals, context.decimalSeparator);
    out += kSeparator;
    AppendText(out, context.unit);
    out += kSeparator;
    AppendNumber(out, s.decimals);
    out += kSeparator;
    AppendPercent(out, s.range1, context.decimalSeparator);
    out += kSeparator;
    if (s.hasValue2) AppendPercent(out, s.range2, context.decimalSeparator);
    for (int slot = 0; slot < 2; ++slot) AppendAnalog(out, s, slot, context.decimalSeparator);
    for (int r = 0; r < kTrendRelays; ++r) {
        out += kSeparator;
        out += (s.relays >> r) & 1 ? '1' : '0';
    }
    out += kSeparator;
    AppendNumber(out, s.errorCode);
    out += ";\r\n";
}

}  // namespace velmar
