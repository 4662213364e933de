#pragma once
// The report on paper: A4 pages headed by the document's number, the
// instrument and "n / N", as a PDF file or on a printer; and the files it
// is saved in.

#include <QByteArray>
#include <QString>

#include "report/report_model.h"

class QPagedPaintDevice;

namespace velmar {

// Lays the report out on the device's pages and paints them; false when the
// device cannot be painted on.
[[nodiscard]] bool PaintReport(const ReportDocument& d, QPagedPaintDevice& device);

// The PDF file's bytes.
QByteArray ReportPdf(const ReportDocument& d);

// Writes a file of the report whole or not at all; false with *error naming
// the file and the reason (a folder that cannot be written, a full disk).
[[nodiscard]] bool SaveReportFile(const QString& path, const QByteArray& bytes, QString* error);

// The PDF at path and its machine-readable twin beside it (FILE.json).
[[nodiscard]] bool SaveReportPdf(const ReportDocument& d, const QString& path, QString* error);
// Where the twin of a PDF goes: the same name with .json.
QString ReportJsonPath(const QString& pdfPath);

// The report's file name for an instrument: PX330-004711-jegyzokonyv.pdf.
QString ReportFileName(uint16_t deviceType, uint32_t serial);

}  // namespace velmar
