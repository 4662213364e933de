#include "app/program_date.h"

#include "device/number_mask.h"

namespace velmar {

QString ProgramDateText(QChar dateSeparator) {
    const QString sep = dateSeparator;
    return QString::fromStdString(FormatMask(kProgramYear, "0000")) + sep +
           QString::fromStdString(FormatMask(kProgramMonth, "00")) + sep +
           QString::fromStdString(FormatMask(kProgramDay, "00")) + sep;
}

}  // namespace velmar
