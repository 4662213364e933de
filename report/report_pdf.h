#pragma once
// The report on paper: A4 pages with the serial number and "n / N" at the
// foot of each, as a PDF file or on a printer.

#include <QByteArray>
#include <QString>

#include "report/report_model.h"

class QPagedPaintDevice;

namespace velmar {

// Lays the report out on the device's pages and paints them; false when the
// device cannot be painted on.
bool PaintReport(const ReportDocument& d, QPagedPaintDevice& device);

// The PDF file's bytes.
QByteArray ReportPdf(const ReportDocument& d);

// Writes the PDF whole or not at all; false with *error naming the file and
// the reason (a folder that cannot be written, a full disk).
bool SaveReportPdf(const ReportDocument& d, const QString& path, QString* error);

// The report's file name for an instrument: PX330-004711-jegyzokonyv.pdf.
QString ReportFileName(uint16_t deviceType, uint32_t serial);

}  // namespace velmar
