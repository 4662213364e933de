#include "program/log_categories.h"

namespace velmar {

// Debug lines are many (one a frame): off unless asked for.
Q_LOGGING_CATEGORY(lcLink, "velmar.link", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUsb, "velmar.usb", QtInfoMsg)
Q_LOGGING_CATEGORY(lcFiles, "velmar.files", QtInfoMsg)
Q_LOGGING_CATEGORY(lcReport, "velmar.report", QtInfoMsg)

}  // namespace velmar
