#include "report/report_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <cmath>
#include <set>

#include "core/device/status_texts.h"
#include "program/file_writing.h"
#include "program/log_categories.h"
#include "report/report_html.h"
#include "report/report_json.h"

namespace velmar {

namespace {

// The text is laid out at 96 dots per inch and scaled onto the device, so a
// printer and the PDF give the same pages.
constexpr double kLayoutDpi = 96.0;
constexpr double kMarginMm = 15.0;
constexpr double kHeadMm = 8.0;  // above the body, for the page head

double MmToLayout(double mm) { return mm / 25.4 * kLayoutDpi; }

QFont ReportFont(double points) {
    // DejaVu Sans carries every Hungarian letter; the PDF embeds it.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    return f;
}

const char* kStyle =
    "h1 { font-size: 16pt; margin-bottom: 8px; }"
    "h2 { font-size: 12pt; margin-top: 14px; margin-bottom: 4px; }"
    "h3 { font-size: 10pt; margin-top: 8px; margin-bottom: 3px; }"
    "th { font-weight: bold; }";

// The HTML with a page break before the given headings (h2 and h3, counted
// from 0 in document order).
QString WithBreaks(const QString& html, const std::set<int>& headings) {
    static const QRegularExpression heading("<h([23])>");
    QString out;
    int at = 0, n = 0;
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(at, m.capturedStart() - at);
        out += headings.count(n++) ? QString("<h%1 style=\"page-break-before: always\">").arg(m.captured(1))
                                   : m.captured();
        at = int(m.capturedEnd());
    }
    return out + html.mid(at);
}

// A heading at the foot of a page goes to the next one with what it heads:
// the layout has no "keep with next" of its own. Laid out anew for each
// heading moved, as the ones after it move with it.
void LayOut(QTextDocument& doc, const QString& html, const QSizeF& body) {
    const double keep = QFontMetricsF(doc.defaultFont()).lineSpacing() * 4;
    std::set<int> breaks;
    for (;;) {
        doc.setHtml(WithBreaks(html, breaks));
        doc.setPageSize(body);
        int n = -1, moved = -1;
        for (QTextBlock b = doc.begin(); b.isValid() && moved < 0; b = b.next()) {
            if (b.blockFormat().headingLevel() < 2) continue;
            ++n;
            const QRectF r = doc.documentLayout()->blockBoundingRect(b);
            if (!breaks.count(n) &&
                std::floor(r.top() / body.height()) != std::floor((r.bottom() + keep) / body.height()))
                moved = n;
        }
        if (moved < 0) return;
        breaks.insert(moved);
    }
}

}  // namespace

bool PaintReport(const ReportDocument& d, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const QSizeF page = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const double margin = MmToLayout(kMarginMm);
    const QSizeF body(MmToLayout(page.width()) - 2 * margin,
                      MmToLayout(page.height()) - 2 * margin - MmToLayout(kHeadMm));
    const double top = margin + MmToLayout(kHeadMm);

    QImage measure(1, 1, QImage::Format_RGB32);
    measure.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
    measure.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&measure);
    doc.setDefaultFont(ReportFont(9));
    doc.setDefaultStyleSheet(QString::fromUtf8(kStyle));
    doc.setDocumentMargin(0);
    LayOut(doc, ReportHtml(d), body);
    const int pages = doc.pageCount();

    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double scale = device.logicalDpiX() / double(measure.logicalDpiX());
    painter.scale(scale, scale);
    for (int p = 0; p < pages; ++p) {
        if (p > 0) device.newPage();
        painter.save();
        painter.translate(margin, top - p * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, p * body.height(), body.width(), body.height());
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        // Each page names its document and instrument, so a loose page is filed right.
        const QRectF head(margin, margin, body.width(), MmToLayout(kHeadMm - 3));
        painter.setPen(Qt::black);
        // The painter is scaled: the font's points are the layout's.
        painter.setFont(ReportFont(8.0 * kLayoutDpi / device.logicalDpiY()));
        painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, d.number);
        painter.drawText(head, Qt::AlignHCenter | Qt::AlignVCenter, InstrumentName(d));
        painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, QString("%1 / %2").arg(p + 1).arg(pages));
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawLine(head.bottomLeft(), head.bottomRight());
    }
    return painter.end();
}

QByteArray ReportPdf(const ReportDocument& d) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setCreator(QString::fromUtf8("Velmar beállító program"));
        writer.setTitle(QString::fromUtf8("%1 – %2").arg(ReportTitle(), d.serial));
        if (!PaintReport(d, writer)) return {};
    }
    return bytes;
}

bool SaveReportFile(const QString& path, const QByteArray& bytes, QString* error) {
    // Made whole in memory first: a full disk or a folder that cannot be
    // written leaves no half file behind.
    QString why;
    if (!WriteFileWhole(path, bytes, &why)) {
        *error = QString::fromUtf8("A fájl nem írható: %1 (%2)").arg(QFileInfo(path).absoluteFilePath(), why);
        return false;
    }
    qCDebug(lcReport, "jegyzőkönyv írva: %s", qUtf8Printable(path));
    return true;
}

bool SaveReportPdf(const ReportDocument& d, const QString& path, QString* error) {
    const QByteArray pdf = ReportPdf(d);
    if (pdf.isEmpty()) {
        *error = QString::fromUtf8("A jegyzőkönyv nem készíthető el.");
        qCDebug(lcReport, "a jegyzőkönyv PDF-je nem rajzolható meg: %s", qUtf8Printable(path));
        return false;
    }
    return SaveReportFile(path, pdf, error) && SaveReportFile(ReportJsonPath(path), ReportJson(d), error);
}

QString ReportJsonPath(const QString& pdfPath) {
    const QFileInfo info(pdfPath);
    const QString name =
        info.suffix().compare("pdf", Qt::CaseInsensitive) == 0 ? info.completeBaseName() : info.fileName();
    return info.dir().filePath(name + ".json");
}

QString ReportFileName(uint16_t deviceType, uint32_t serial) {
    return QString::fromStdString(InstrumentTag(deviceType, serial)) + "-jegyzokonyv.pdf";
}

}  // namespace velmar
