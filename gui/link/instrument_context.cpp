#include "gui/link/instrument_context.h"

#include "core/device/number_mask.h"
#include "program/program_date.h"

namespace velmar {

QString InstrumentContext::FormatNumber(double value, const std::string& mask) const {
    return QString::fromStdString(FormatMask(value, mask, QString(DecimalSeparator).toStdString()));
}

QString InstrumentContext::ProgramDateText() const { return velmar::ProgramDateText(DateSeparator); }

}  // namespace velmar
