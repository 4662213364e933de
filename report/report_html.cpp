#include "report/report_html.h"

namespace velmar {

namespace {

QString E(const QString& s) { return s.toHtmlEscaped(); }
QString U(const char* s) { return QString::fromUtf8(s); }

const char* kTable = "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                     "style=\"border-collapse: collapse; border-color: #808080;\">";
const char* kChangedColour = "#fff0b0";

QString Heading(const char* text) { return QString("<h2>%1</h2>").arg(U(text)); }

// A header row; widths in percent of the page, 0 for what is left.
QString HeadRow(std::initializer_list<std::pair<const char*, int>> columns) {
    QString s = "<thead><tr>";
    for (const auto& [text, width] : columns)
        s += width ? QString("<th width=\"%1%\" bgcolor=\"#e8e8e8\" align=\"left\">%2</th>").arg(width).arg(U(text))
                   : QString("<th bgcolor=\"#e8e8e8\" align=\"left\">%1</th>").arg(U(text));
    return s + "</tr></thead>";
}

QString Cell(const QString& text, const char* align = "left") {
    return QString("<td align=\"%1\">%2</td>").arg(align, text.isEmpty() ? "&nbsp;" : E(text));
}

QString Identity(const ReportDocument& d) {
    QString s = "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">";
    auto row = [&s](const QString& key, const QString& value) {
        s += QString("<tr><td width=\"28%\"><b>%1</b></td><td>%2</td></tr>")
                 .arg(E(key), value.isEmpty() ? "&nbsp;" : E(value).replace("\n", "<br>"));
    };
    row(U("Dátum és idő:"), ReportDateTime(d.header.time));
    row(U("Üzembe helyező:"), d.header.technician);
    row(U("Telephely / azonosító:"), d.header.site);
    if (!d.header.note.isEmpty()) row(U("Megjegyzés:"), d.header.note);
    s += "<tr><td colspan=\"2\">&nbsp;</td></tr>";
    row(U("Készülék típusa:"), d.typeName);
    row(U("Gyári szám:"), d.serial);
    row(U("Gyártás ideje:"), d.made);
    row(U("Firmware:"), d.firmware);
    for (const auto& [slot, module] : d.modules) row(slot + ":", module);
    return s + "</table>";
}

QString Blocks(const ReportDocument& d) {
    QString s = Heading("Beállítások");
    if (d.hasAsFound)
        s += QString("<p>%1</p>").arg(E(U("Megtalált: az első kiolvasás a csatlakoztatás után, minden beírás előtt. "
                                         "Átadott: a jegyzőkönyv készítésekor kiolvasva. ● jelöli a megváltozott mezőket "
                                         "(%1 mező).")
                                           .arg(d.changedFields)));
    else
        s += QString("<p><b>%1</b></p>")
                 .arg(E(U("Ehhez a látogatáshoz nincs napló a készülékről: a megtalált állapot nem ismert, "
                          "csak az átadott állapot szerepel.")));
    for (const ReportBlock& b : d.blocks) {
        s += QString("<h3>%1</h3>").arg(E(b.caption)) + kTable;
        s += d.hasAsFound ? HeadRow({{"", 3}, {"Mező", 42}, {"Megtalált", 23}, {"Átadott", 23}, {"Egység", 0}})
                          : HeadRow({{"Mező", 50}, {"Átadott", 38}, {"Egység", 0}});
        for (const ReportRow& r : b.rows) {
            s += r.changed ? QString("<tr bgcolor=\"%1\">").arg(kChangedColour) : QString("<tr>");
            if (d.hasAsFound) s += Cell(r.changed ? U("●") : QString(), "center");
            s += Cell(r.caption);
            if (d.hasAsFound) s += Cell(r.found);
            s += Cell(r.left) + Cell(r.unit) + "</tr>";
        }
        s += "</table>";
    }
    return s;
}

QString Writes(const ReportDocument& d) {
    QString s = Heading("A látogatás beírásai");
    if (d.writes.empty()) return s + QString("<p>%1</p>").arg(U("A látogatás során nem történt beírás."));
    s += kTable + HeadRow({{"Idő", 22}, {"Blokk", 28}, {"Változás", 0}});
    for (const ReportWrite& w : d.writes)
        s += "<tr>" + Cell(ReportDateTime(w.time)) + Cell(w.block) + "<td>" + E(w.changes.join("\n")).replace("\n", "<br>") +
             "</td></tr>";
    return s + "</table>";
}

QString Calibration(const ReportDocument& d) {
    if (!d.service) return {};
    QString s = Heading("Kalibrációs állandók");
    if (d.calibration.empty()) return s + QString("<p>%1</p>").arg(U("Ennek a készüléknek nincs kiolvasható kalibrációs állandója."));
    s += kTable + HeadRow({{"Csoport", 40}, {"Kalibrációs pont", 35}, {"Érték", 0}});
    for (const CalibrationValue& c : d.calibration)
        s += "<tr>" + Cell(QString::fromStdString(c.group)) + Cell(QString::fromStdString(c.point)) +
             Cell(QString::fromStdString(c.value), "right") + "</tr>";
    return s + "</table>";
}

QString Checks(const ReportDocument& d) {
    const CheckPoints& c = d.checks;
    QString s = Heading("Ellenőrző mérés");
    if (c.points.empty()) return s + QString("<p>%1</p>").arg(U("Ellenőrző mérés nem készült."));
    const QString unit = c.unit.empty() ? QString() : " " + QString::fromStdString(c.unit);
    s += QString("<p>%1</p>")
             .arg(E(U("Tűrés: ±%1 % a terjedelemből. Terjedelem: %2%3 (%4). Mért érték: a 2 s alatt kapott válaszok átlaga.")
                        .arg(ReportNumber(c.tolerancePercent, 2), ReportNumber(c.span, c.decimals), unit,
                             QString::fromStdString(c.spanSource))));
    s += kTable + HeadRow({{"Sz.", 5}, {"Referencia", 17}, {"Mért érték", 17}, {"Szórás", 14}, {"Minta", 9},
                           {"Hiba (%)", 13}, {"Eredmény", 0}});
    int n = 0;
    for (const CheckPoint& p : c.points) {
        s += "<tr>" + Cell(QString::number(++n), "right") + Cell(ReportNumber(p.reference, c.decimals) + unit, "right") +
             Cell(ReportNumber(p.mean, c.decimals + 1) + unit, "right") + Cell(ReportNumber(p.spread, c.decimals + 1), "right") +
             Cell(QString::number(p.samples), "right") + Cell(ReportNumber(p.errorPercent, 3), "right") +
             Cell(p.passes ? U("megfelel") : U("nem felel meg")) + "</tr>";
    }
    s += "</table>";
    s += QString("<p><b>%1 %2</b></p>").arg(U("Összesített eredmény:"), c.AllPass() ? U("megfelel") : U("nem felel meg"));
    return s;
}

QString Signatures() {
    QString s = "<p>&nbsp;</p><table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"6\"><tr>";
    for (const char* who : {"Üzembe helyező", "Átvevő"})
        s += QString("<td width=\"50%\">%1:<br><br>%2<br><br>%3<br><br>%4</td>")
                 .arg(U(who), U("Név: ……………………………………………"), U("Aláírás: ………………………………………"),
                      U("Dátum: …………………………………………"));
    return s + "</tr></table>";
}

}  // namespace

QString ReportTitle() { return U("Üzembe helyezési jegyzőkönyv"); }

QString ReportHtml(const ReportDocument& d) {
    QString s = "<html><body>";
    s += QString("<h1>%1</h1>").arg(ReportTitle());
    s += Identity(d) + Blocks(d) + Writes(d) + Calibration(d) + Checks(d) + Signatures();
    return s + "</body></html>";
}

}  // namespace velmar
