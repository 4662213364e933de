#pragma once
// The program's logging categories, for a trace of what happened where
// without a debugger. Warnings and above are on; the detail is turned on by
// QT_LOGGING_RULES, for example "velmar.link.debug=true" for every frame.
//   velmar.link    frames sent and answered, failed writes, time-outs
//   velmar.usb     the USB bus: nodes found, refused, opened, lost
//   velmar.files   settings files and the journal
//   velmar.report  the commissioning report's files

#include <QLoggingCategory>

namespace velmar {

Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcUsb)
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
Q_DECLARE_LOGGING_CATEGORY(lcReport)

}  // namespace velmar
