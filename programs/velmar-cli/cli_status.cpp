#include "programs/velmar-cli/cli_status.h"

#include <QJsonArray>
#include <QLocale>
#include <QStringList>
#include <optional>

#include "core/device/number_mask.h"
#include "core/device/status_codec.h"
#include "core/device/status_texts.h"

namespace velmar {

namespace {

// The instrument counts at most four decimals; more is a value not yet set.
int Decimals(const tRX& rx) { return rx.uDecimalPoint <= 4 ? rx.uDecimalPoint : 0; }

// JSON keeps the point; a person reads the locale's decimal separator.
QString ValueText(const tRX& rx, const QLocale& locale = QLocale::c()) {
    double divider = 1;
    for (int i = 0; i < Decimals(rx); ++i) divider *= 10;
    return locale.toString(rx.iSkalazottKijezesiErtek / divider, 'f', Decimals(rx));
}

// Where a measured value stands in the input's range, in percent, rounded
// to two decimals: the header's bar, not an output.
double Percent(float fraction) { return RoundHalfEven(double(ClampPercentage(fraction)) * 10000.0) / 100.0; }

// Only a Modbus input gives a second value, and with it a second place in the range.
bool HasValue2(const tRX& rx) { return rx.uPXOptIn == 8; }

// What an analog output module gives out now, in its unit; none in a slot
// that holds something else.
struct AnalogOutput {
    double value;
    const char* unit;
};
std::optional<AnalogOutput> AnalogOutputOf(const tRX& rx, int slot) {
    constexpr uint8_t kAnalogOutputModule = 3;
    if ((slot == 0 ? rx.uPXOptOutPrimer : rx.uPXOptOutSecondary) != kAnalogOutputModule) return std::nullopt;
    const float value = slot == 0 ? rx.fPXAOKimenoFizErtek : rx.fPXAOKimenoFizErtek_2;
    const uint8_t type = slot == 0 ? rx.uAnalogueTypeFor101 : rx.uAnalogueTypeFor101_2;
    return AnalogOutput{RoundHalfEven(double(value) * 1000.0) / 1000.0, type > 1 ? "V" : "mA"};
}

QString Unit(const tRX& rx) {
    const char* unit = MeasuredUnit(rx);
    return unit ? QString::fromUtf8(unit) : QString();
}

// The error bits' captions and the global error code; "nincs" when neither.
QString ErrorText(const tRX& rx) {
    QStringList parts;
    if (rx.uErrorBits != 0) parts << QString::fromStdString(ErrorBitsText(rx.uErrorBits));
    if (rx.uGlobalErrorCode != 0) parts << QString::fromUtf8("globális hibakód %1").arg(rx.uGlobalErrorCode);
    return parts.isEmpty() ? QString::fromUtf8("nincs") : parts.join(", ");
}

QString OnOff(bool on) { return on ? QString::fromUtf8("be") : QString::fromUtf8("ki"); }

// Columns of the table: title and width; a negative width is left-aligned.
struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {
    {"Idő", -23},   {"Érték", 14},  {"Tartományban", 12}, {"Analóg kimenet 1", 16}, {"Analóg kimenet 2", 16},
    {"Relé 1", -6}, {"Relé 2", -6}, {"Hiba", 0}};

QString Row(const QStringList& cells) {
    QString line;
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0) line += "  ";
        line += QString("%1").arg(cells[i], kColumns[i].width);
    }
    return line.trimmed();
}

}  // namespace

QJsonObject StatusJson(const tRX& rx, const QDateTime& time) {
    const QString text = ValueText(rx);
    QJsonObject o{{"time", time.toString(Qt::ISODateWithMs)},
                  {"value", text.toDouble()},
                  {"decimals", Decimals(rx)},
                  {"text", text},
                  {"range1Percent", Percent(rx.fKimenetSzazalek)},
                  {"relays", QJsonArray{bool(rx.uLimit & 1), bool(rx.uLimit & 2)}},
                  {"errorBits", qint64(rx.uErrorBits)},
                  {"globalError", int(rx.uGlobalErrorCode)}};
    if (rx.uErrorBits != 0) o["error"] = QString::fromStdString(ErrorBitsText(rx.uErrorBits));
    if (const QString unit = Unit(rx); !unit.isEmpty()) o["unit"] = unit;
    if (HasValue2(rx)) o["range2Percent"] = Percent(rx.fKimenetSzazalek_2);
    for (int slot = 0; slot < 2; ++slot)
        if (const auto a = AnalogOutputOf(rx, slot))
            o[QString("analogOutput%1").arg(slot + 1)] = QJsonObject{{"value", a->value}, {"unit", a->unit}};
    return o;
}

QString StatusTableHeader() {
    QStringList titles;
    for (const Column& c : kColumns) titles << QString::fromUtf8(c.title);
    return Row(titles);
}

QString StatusTableRow(const tRX& rx, const QDateTime& time) {
    const QLocale locale;
    const auto percent = [&](float f) { return locale.toString(Percent(f), 'f', 2) + " %"; };
    const auto analog = [&](int slot) {
        const auto a = AnalogOutputOf(rx, slot);
        return a ? locale.toString(a->value, 'f', 3) + ' ' + a->unit : QString("-");
    };
    const QString unit = Unit(rx), value = ValueText(rx, locale);
    QString range = percent(rx.fKimenetSzazalek);
    if (HasValue2(rx)) range += ", " + percent(rx.fKimenetSzazalek_2);
    return Row({time.toString("yyyy-MM-dd HH:mm:ss.zzz"), unit.isEmpty() ? value : value + ' ' + unit, range, analog(0),
                analog(1), OnOff(rx.uLimit & 1), OnOff(rx.uLimit & 2), ErrorText(rx)});
}

}  // namespace velmar
