#pragma once
// What poppler's tools read from a PDF: its text laid out in lines as on
// the page (so a table row reads as one line), and its fonts.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>
#ifdef _WIN32
#include <windows.h>
#endif

namespace velmar::test {

// A Windows build under Wine uses Linux's poppler, from the folder
// VELMAR_PDF_TOOLS names (scripts/wine-run sets it); elsewhere the tools on
// the path.
inline QString PdfToolsUnderWine() { return qEnvironmentVariable("VELMAR_PDF_TOOLS"); }
inline bool HasPdfTools() {
    return !PdfToolsUnderWine().isEmpty() || !QStandardPaths::findExecutable("pdftotext").isEmpty();
}
#define VELMAR_SKIP_WITHOUT_PDF_TOOLS() \
    if (!velmar::test::HasPdfTools()) GTEST_SKIP() << "no pdftotext here: the PDF's text is checked where it is"

#ifdef _WIN32
// The Linux path of a Windows one, as Wine tells it.
inline QString LinuxPathUnderWine(const QString& path) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16())) : nullptr;
    if (!unix) return {};
    const QString converted = QString::fromLocal8Bit(unix);
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return converted;
}

// Wine starts a Linux program but gives no handle to wait for it: Linux's
// shell runs the tool into a file of its own and renames that when it is
// whole, and the test waits for the name.
inline QString PdfToolOutputUnderWine(const QString& tool, const QStringList& args, const QString& pdf) {
    const auto quoted = [](const QString& s) { return "'" + s + "'"; };
    const QString done = pdf + "." + tool, partial = done + ".part";
    QString command = quoted(PdfToolsUnderWine() + "/" + tool);
    for (const QString& a : args) command += " " + quoted(a == pdf ? LinuxPathUnderWine(pdf) : a);
    command += " > " + quoted(LinuxPathUnderWine(partial)) + " && mv " + quoted(LinuxPathUnderWine(partial)) + " " +
               quoted(LinuxPathUnderWine(done));
    if (!QProcess::startDetached("Z:/bin/sh", {"-c", command})) return {};
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(done) && waited.elapsed() < 20000) QThread::msleep(20);
    QFile f(done);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
#endif

// What the tool prints on standard output, run with args (among them pdf).
inline QString PdfToolOutput(const QString& tool, const QStringList& args, const QString& pdf) {
#ifdef _WIN32
    if (!PdfToolsUnderWine().isEmpty()) return PdfToolOutputUnderWine(tool, args, pdf);
#endif
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(20000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString PdfText(const QString& path) {
    return PdfToolOutput("pdftotext", {"-layout", "-enc", "UTF-8", path, "-"}, path);
}
inline QString PdfFonts(const QString& path) { return PdfToolOutput("pdffonts", {path}, path); }

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
