#include "report/report_html.h"

namespace velmar {

namespace {

QString E(const QString& s) { return s.toHtmlEscaped(); }
QString U(const char* s) { return QString::fromUtf8(s); }

const char* kTable =
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
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

// A unit after a number, with the space a Hungarian document puts there.
QString WithUnit(const QString& number, const QString& unit) { return unit.isEmpty() ? number : number + " " + unit; }
QString WithUnit(const QString& number, const std::string& unit) {
    return WithUnit(number, QString::fromStdString(unit));
}

QString Identity(const ReportDocument& d) {
    QString s = "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">";
    auto row = [&s](const QString& key, const QString& value, bool alarm = false) {
        const QString shown = value.isEmpty() ? "&nbsp;" : E(value).replace("\n", "<br>");
        s += QString("<tr><td width=\"28%\"><b>%1</b></td><td>%2</td></tr>")
                 .arg(E(key), alarm ? QString("<font color=\"#c00000\"><b>%1</b></font>").arg(shown) : shown);
    };
    auto gap = [&s] { s += "<tr><td colspan=\"2\">&nbsp;</td></tr>"; };
    const ReportHeader& h = d.header;
    row(U("Dokumentumszám:"), d.number);
    row(U("Dátum és idő:"), ReportDateTime(h.time));
    row(U("Üzembe helyező:"), h.technician);
    row(U("Telephely:"), h.site);
    row(U("Hurokazonosító (tag):"), h.tag);
    row(U("Megrendelő:"), h.customer);
    row(U("Munkaszám / rendelés:"), h.order);
    if (!h.note.isEmpty()) row(U("Megjegyzés:"), h.note);
    gap();
    row(U("Készülék típusa:"), d.typeName);
    row(U("Gyári szám:"), d.serial);
    row(U("Gyártás ideje:"), d.made);
    row(U("Firmware:"), d.firmware);
    for (const auto& [slot, module] : d.modules) row(slot + ":", module);
    gap();
    const ReferenceInstrument& r = h.reference;
    row(U("Referencia műszer:"), r.Given() ? r.type : U("nincs megadva"));
    if (r.Given()) {
        row(U("Referencia gyári száma:"), r.serial);
        row(U("Kalibrálás érvényes:"),
            !r.due.isValid() ? U("nincs megadva")
                             : ReportDate(r.due) + (d.referenceExpired ? U(" – LEJÁRT") : QString()),
            d.referenceExpired);
    }
    row(U("Környezeti hőmérséklet:"), h.ambient ? WithUnit(ReportNumber(*h.ambient, 1), U("°C")) : U("nincs megadva"));
    if (h.humidity) row(U("Relatív páratartalom:"), WithUnit(ReportNumber(*h.humidity, 0), U("%")));
    s += "</table>";
    if (d.referenceExpired)
        s += QString("<p><font color=\"#c00000\"><b>%1</b></font></p>")
                 .arg(E(U("Figyelem: a referencia műszer kalibrálása %1 lejárt; az ellenőrző mérés eredménye "
                          "ezért nem igazolt.")
                            .arg(ReportDate(r.due))));
    return s;
}

QString Blocks(const ReportDocument& d) {
    QString s = Heading("Beállítások");
    if (d.hasAsFound)
        s += QString("<p>%1</p>")
                 .arg(E(U("Megtalált: az első kiolvasás a csatlakoztatás után, minden beírás előtt. "
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
        s += "<tr>" + Cell(ReportDateTime(w.time)) + Cell(w.block) + "<td>" +
             E(w.changes.join("\n")).replace("\n", "<br>") + "</td></tr>";
    return s + "</table>";
}

QString Calibration(const ReportDocument& d) {
    if (!d.service) return {};
    QString s = Heading("Kalibrációs állandók");
    if (d.calibration.empty())
        return s + QString("<p>%1</p>").arg(U("Ennek a készüléknek nincs kiolvasható kalibrációs állandója."));
    s += kTable + HeadRow({{"Csoport", 40}, {"Kalibrációs pont", 35}, {"Érték", 0}});
    for (const CalibrationValue& c : d.calibration)
        s += "<tr>" + Cell(QString::fromStdString(c.group)) + Cell(QString::fromStdString(c.point)) +
             Cell(QString::fromStdString(c.value), "right") + "</tr>";
    return s + "</table>";
}

QString Verdict(bool passes) { return passes ? U("megfelel") : U("nem felel meg"); }

QString Checks(const ReportDocument& d) {
    const CheckPoints& c = d.checks;
    QString s = Heading("Ellenőrző mérés");
    if (c.points.empty()) return s + QString("<p>%1</p>").arg(U("Ellenőrző mérés nem készült."));
    const QString unit = QString::fromStdString(c.unit), in = QString::fromStdString(c.InputUnit());
    const QString out = QString::fromStdString(c.outputUnit);
    const bool output = !c.outputUnit.empty();
    QString terms = U("Tűrés: ±%1 % a terjedelemből. Terjedelem: %2 (%3)")
                        .arg(ReportNumber(c.tolerancePercent, 2), WithUnit(ReportNumber(c.span, c.decimals), unit),
                             QString::fromStdString(c.spanSource));
    if (output) terms += U(", kimenet: %1").arg(WithUnit(ReportNumber(c.outputSpan, 3), out));
    terms += U(". Mért érték: a 2 s alatt kapott válaszok átlaga; ingadozónak számít a jel, ha szórása több, mint "
               "a terjedelem %1 %-a.")
                 .arg(ReportNumber(c.steadyPercent, 2));
    s += QString("<p>%1</p>").arg(E(terms));
    const auto percent = [](double v) { return WithUnit(ReportNumber(v, 3), U("%")); };
    const auto number = [](int n) { return Cell(QString::number(n), "right"); };
    const auto applied = [&c, &in](const CheckPoint& p) {
        return Cell(WithUnit(ReportNumber(p.input, c.InputDecimals()), in), "right");
    };
    // The reading and the output each in a table of their own, so every
    // value keeps its unit on one line.
    s += QString("<h3>%1</h3>").arg(U("Kijelzés")) + kTable +
         HeadRow({{"Sz.", 5},
                  {"Bemenet", 15},
                  {"Várt kijelzés", 16},
                  {"Mért érték", 16},
                  {"Szórás", 14},
                  {"Hiba", 11},
                  {"Eredmény", 0}});
    int n = 0;
    for (const CheckPoint& p : c.points)
        s += "<tr>" + number(++n) + applied(p) + Cell(WithUnit(ReportNumber(p.expected, c.decimals), unit), "right") +
             Cell(WithUnit(ReportNumber(p.mean, c.decimals + 1), unit), "right") +
             Cell(WithUnit(ReportNumber(p.spread, c.decimals + 1), unit), "right") +
             Cell(percent(p.errorPercent), "right") +
             Cell(Verdict(p.readingPasses) + (p.steady ? QString() : U(" (ingadozó jel)"))) + "</tr>";
    s += "</table>";
    if (output) {
        s += QString("<h3>%1</h3>").arg(U("Analóg kimenet")) + kTable +
             HeadRow({{"Sz.", 5},
                      {"Bemenet", 15},
                      {"Várt kimenet", 16},
                      {"Mért kimenet", 16},
                      {"Hiba", 14},
                      {"Eredmény", 0}});
        n = 0;
        for (const CheckPoint& p : c.points) {
            ++n;
            if (!p.output || !p.expectedOutput) {
                s += "<tr>" + number(n) + applied(p) + QString("<td colspan=\"4\">%1</td></tr>").arg(U("nem mérve"));
                continue;
            }
            s += "<tr>" + number(n) + applied(p) + Cell(WithUnit(ReportNumber(*p.expectedOutput, 3), out), "right") +
                 Cell(WithUnit(ReportNumber(*p.output, 3), out), "right") +
                 Cell(percent(p.outputErrorPercent), "right") + Cell(Verdict(p.outputPasses)) + "</tr>";
        }
        s += "</table>";
    }
    s += QString("<p><b>%1 %2</b></p>").arg(U("Összesített eredmény:"), Verdict(c.AllPass()));
    return s;
}

QString Relays(const ReportDocument& d) {
    if (d.relays.empty()) return {};
    QString s = Heading("Határérték relék");
    s += kTable + HeadRow({{"Relé", 9},
                           {"Üzemmód", 25},
                           {"A", 12},
                           {"B", 12},
                           {"Hiszterézis", 14},
                           {"Bekapcsolt", 14},
                           {"Elengedett", 0}});
    for (const ReportRelay& r : d.relays) {
        const auto at = [&r](const std::optional<double>& v) {
            return v ? WithUnit(ReportNumber(*v, r.decimals), r.unit) : U("–");
        };
        s += "<tr>" + Cell(r.caption) + Cell(r.mode) + Cell(WithUnit(r.a, r.unit), "right") +
             Cell(WithUnit(r.b, r.unit), "right") + Cell(WithUnit(r.hysteresis, r.unit), "right");
        s += r.test.Tested() ? Cell(at(r.test.switchedAt), "right") + Cell(at(r.test.releasedAt), "right")
                             : QString("<td colspan=\"2\">%1</td>").arg(U("nem vizsgált"));
        s += "</tr>";
    }
    return s + "</table>";
}

QString Signatures() {
    QString s = "<p>&nbsp;</p><table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"6\"><tr>";
    for (const char* who : {"Üzembe helyező", "Átvevő"})
        s += QString("<td width=\"50%\">%1:<br><br>%2<br><br>%3<br><br>%4</td>")
                 .arg(U(who), U("Név: ……………………………………………"), U("Aláírás: ………………………………………"), U("Dátum: …………………………………………"));
    return s + "</tr></table>";
}

}  // namespace

QString ReportTitle() { return U("Üzembe helyezési jegyzőkönyv"); }

QString ReportHtml(const ReportDocument& d) {
    QString s = "<html><body>";
    s += QString("<h1>%1</h1>").arg(ReportTitle());
    s += Identity(d) + Blocks(d) + Writes(d) + Calibration(d) + Checks(d) + Relays(d) + Signatures();
    return s + "</body></html>";
}

}  // namespace velmar
