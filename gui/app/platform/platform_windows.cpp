#include "gui/app/platform.h"

#include <windows.h>
#include <tlhelp32.h>

#include <QFileInfo>

namespace velmar {

int CountProgramInstances(const QString& exeFileName) {
    const QString wanted = QFileInfo(exeFileName).fileName().toLower();
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        // szExeFile holds the file name, on some systems with its folder.
        const QString name = QFileInfo(QString::fromWCharArray(entry.szExeFile)).fileName().toLower();
        if (name == wanted) ++count;
    }
    ::CloseHandle(snapshot);
    return count;
}

void MessageBeep() { ::MessageBeep(0); }

namespace {
QString LocaleText(LCTYPE type) {
    wchar_t buffer[LOCALE_NAME_MAX_LENGTH * 2] = {};
    const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, int(std::size(buffer)));
    return n > 1 ? QString::fromWCharArray(buffer, n - 1) : QString();
}
}  // namespace

RegionalSettings SystemRegionalSettings() {
    return RegionalSettings::FromWindowsPictures(LocaleText(LOCALE_SDECIMAL), LocaleText(LOCALE_SDATE),
                                                 LocaleText(LOCALE_SSHORTDATE), LocaleText(LOCALE_STIMEFORMAT));
}

}  // namespace velmar
