#include "programs/velmar-cli/cli_status.h"

#include <QJsonArray>
#include <QStringList>

#include "core/device/number_mask.h"
#include "core/device/status_codec.h"
#include "core/device/status_texts.h"

namespace velmar {

namespace {

// The instrument counts at most four decimals; more is a value not yet set.
int Decimals(const tRX& rx) { return rx.uDecimalPoint <= 4 ? rx.uDecimalPoint : 0; }

QString ValueText(const tRX& rx) {
    double divider = 1;
    for (int i = 0; i < Decimals(rx); ++i) divider *= 10;
    return QString::number(rx.iSkalazottKijezesiErtek / divider, 'f', Decimals(rx));
}

// An output's share of its range in percent, rounded to two decimals.
double Percent(float fraction) { return RoundHalfEven(double(ClampPercentage(fraction)) * 10000.0) / 100.0; }

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
constexpr Column kColumns[] = {{"Idő", -23},   {"Érték", 14},  {"Kimenet 1", 11}, {"Kimenet 2", 11},
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
                  {"output1Percent", Percent(rx.fKimenetSzazalek)},
                  {"output2Percent", Percent(rx.fKimenetSzazalek_2)},
                  {"relays", QJsonArray{bool(rx.uLimit & 1), bool(rx.uLimit & 2)}},
                  {"errorBits", qint64(rx.uErrorBits)},
                  {"globalError", int(rx.uGlobalErrorCode)}};
    if (rx.uErrorBits != 0) o["error"] = QString::fromStdString(ErrorBitsText(rx.uErrorBits));
    if (const QString unit = Unit(rx); !unit.isEmpty()) o["unit"] = unit;
    return o;
}

QString StatusTableHeader() {
    QStringList titles;
    for (const Column& c : kColumns) titles << QString::fromUtf8(c.title);
    return Row(titles);
}

QString StatusTableRow(const tRX& rx, const QDateTime& time) {
    const auto percent = [](float f) { return QString::number(Percent(f), 'f', 2) + " %"; };
    const QString unit = Unit(rx);
    return Row({time.toString("yyyy-MM-dd HH:mm:ss.zzz"), unit.isEmpty() ? ValueText(rx) : ValueText(rx) + ' ' + unit,
                percent(rx.fKimenetSzazalek),
                percent(rx.fKimenetSzazalek_2), OnOff(rx.uLimit & 1), OnOff(rx.uLimit & 2), ErrorText(rx)});
}

}  // namespace velmar
