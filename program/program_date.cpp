#include "program/program_date.h"

#include "core/device/number_mask.h"

namespace velmar {

QString ProgramDateText(QChar dateSeparator) {
    const QString sep = dateSeparator;
    return QString::fromStdString(FormatMask(kProgramYear, "0000")) + sep +
           QString::fromStdString(FormatMask(kProgramMonth, "00")) + sep +
           QString::fromStdString(FormatMask(kProgramDay, "00")) + sep;
}

QString VersionText(const char* program) {
    // The Hungarian date form, whatever the locale: scripts read it too.
    return QString::fromUtf8(program) + " v" + ProgramDateText('.');
}

}  // namespace velmar
