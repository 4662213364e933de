#include "report/report_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// A number with its unit; null when not given.
QJsonValue Quantity(std::optional<double> value, const QString& unit) {
    if (!value) return QJsonValue::Null;
    return QJsonObject{{"value", *value}, {"unit", unit}};
}
QJsonValue Quantity(double value, const std::string& unit) { return Quantity(std::optional<double>(value), Q(unit)); }

QJsonObject Verdict(bool passes) { return {{"passes", passes}, {"text", passes ? U("megfelel") : U("nem felel meg")}}; }

QJsonObject Header(const ReportDocument& d) {
    const ReportHeader& h = d.header;
    const ReferenceInstrument& r = h.reference;
    return {{"technician", h.technician},
            {"site", h.site},
            {"tag", h.tag},
            {"customer", h.customer},
            {"order", h.order},
            {"note", h.note},
            {"reference", QJsonObject{{"type", r.type},
                                      {"serial", r.serial},
                                      {"due", r.due.isValid() ? QJsonValue(r.due.toString(Qt::ISODate)) : QJsonValue()},
                                      {"expired", d.referenceExpired}}},
            {"conditions",
             QJsonObject{{"ambient", Quantity(h.ambient, U("°C"))}, {"humidity", Quantity(h.humidity, "%")}}}};
}

QJsonObject Instrument(const ReportDocument& d) {
    QJsonArray modules;
    for (const auto& [slot, module] : d.modules) modules.append(QJsonObject{{"slot", slot}, {"module", module}});
    return {
        {"type", d.typeName}, {"serial", d.serial}, {"made", d.made}, {"firmware", d.firmware}, {"modules", modules}};
}

QJsonArray Blocks(const ReportDocument& d) {
    QJsonArray blocks;
    for (const ReportBlock& b : d.blocks) {
        QJsonArray rows;
        for (const ReportRow& r : b.rows) {
            QJsonObject row{{"caption", r.caption}, {"left", r.left}, {"unit", r.unit}};
            if (d.hasAsFound) {
                row["found"] = r.found;
                row["changed"] = r.changed;
            }
            rows.append(row);
        }
        blocks.append(QJsonObject{{"caption", b.caption}, {"rows", rows}});
    }
    return blocks;
}

QJsonArray Writes(const ReportDocument& d) {
    QJsonArray writes;
    for (const ReportWrite& w : d.writes)
        writes.append(QJsonObject{{"time", w.time.toString(Qt::ISODate)},
                                  {"block", w.block},
                                  {"changes", QJsonArray::fromStringList(w.changes)}});
    return writes;
}

QJsonArray Calibration(const ReportDocument& d) {
    QJsonArray out;
    for (const CalibrationValue& c : d.calibration)
        out.append(QJsonObject{{"group", Q(c.group)}, {"point", Q(c.point)}, {"value", Q(c.value)}});
    return out;
}

QJsonObject Checks(const ReportDocument& d) {
    const CheckPoints& c = d.checks;
    QJsonArray points;
    for (const CheckPoint& p : c.points) {
        QJsonObject point{{"input", Quantity(p.input, c.InputUnit())},
                          {"expectedReading", Quantity(p.expected, c.unit)},
                          {"reading", Quantity(p.mean, c.unit)},
                          {"spread", Quantity(p.spread, c.unit)},
                          {"samples", p.samples},
                          {"error", Quantity(p.errorPercent, "%")},
                          {"readingVerdict", Verdict(p.readingPasses)},
                          {"steady", p.steady},
                          {"verdict", Verdict(p.Passes())}};
        if (p.output && p.expectedOutput) {
            point["output"] = Quantity(*p.output, c.outputUnit);
            point["expectedOutput"] = Quantity(*p.expectedOutput, c.outputUnit);
            point["outputError"] = Quantity(p.outputErrorPercent, "%");
            point["outputVerdict"] = Verdict(p.outputPasses);
        }
        points.append(point);
    }
    QJsonObject out{{"tolerance", Quantity(c.tolerancePercent, "%")},
                    {"steadyLimit", Quantity(c.steadyPercent, "%")},
                    {"points", points}};
    if (!c.points.empty()) {
        out["span"] = Quantity(c.span, c.unit);
        out["spanSource"] = Q(c.spanSource);
        if (!c.outputUnit.empty()) out["outputSpan"] = Quantity(c.outputSpan, c.outputUnit);
        out["verdict"] = Verdict(c.AllPass());
    }
    return out;
}

QJsonArray Relays(const ReportDocument& d) {
    QJsonArray out;
    for (const ReportRelay& r : d.relays) {
        auto text = [&r](const QString& value) { return QJsonObject{{"text", value}, {"unit", r.unit}}; };
        out.append(QJsonObject{{"caption", r.caption},
                               {"mode", r.mode},
                               {"a", text(r.a)},
                               {"b", text(r.b)},
                               {"hysteresis", text(r.hysteresis)},
                               {"tested", r.test.Tested()},
                               {"switchedAt", Quantity(r.test.switchedAt, r.unit)},
                               {"releasedAt", Quantity(r.test.releasedAt, r.unit)}});
    }
    return out;
}

}  // namespace

QByteArray ReportJson(const ReportDocument& d) {
    QJsonObject o = Header(d);
    o["number"] = d.number;
    o["time"] = d.header.time.toString(Qt::ISODate);
    o["instrument"] = Instrument(d);
    o["asFoundKnown"] = d.hasAsFound;
    o["changedFields"] = d.changedFields;
    o["blocks"] = Blocks(d);
    o["writes"] = Writes(d);
    if (d.service) o["calibration"] = Calibration(d);
    o["checks"] = Checks(d);
    o["relays"] = Relays(d);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

}  // namespace velmar
