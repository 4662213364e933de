#pragma once
// The text of a PDF as poppler's pdftotext reads it, laid out in lines as
// on the page, so a table row reads as one line.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace velmar::test {

// Whether poppler's tools are at hand: not for a Windows build under Wine,
// which cannot start Linux programs; those checks are Linux's there.
inline bool HasPdfTools() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }
#define VELMAR_SKIP_WITHOUT_PDF_TOOLS() \
    if (!velmar::test::HasPdfTools()) GTEST_SKIP() << "no pdftotext here: the PDF's text is checked on Linux"

inline QString PdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", "-enc", "UTF-8", path, "-"});
    if (!p.waitForFinished(20000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first line that holds every one of the given texts, empty when none.
inline QString LineWith(const QString& text, const QStringList& parts) {
    for (const QString& line : text.split('\n')) {
        bool all = true;
        for (const QString& part : parts) all = all && line.contains(part);
        if (all) return line;
    }
    return {};
}

}  // namespace velmar::test
