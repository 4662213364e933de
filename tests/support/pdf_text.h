#pragma once
// The text of a PDF as poppler's pdftotext reads it, laid out in lines as
// on the page, so a table row reads as one line.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace velmar::test {

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
