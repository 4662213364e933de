#pragma once
// Service page "MBU": the attached HID device's identity and the last
// transmitted and received frame, field by field and as a hex dump.

#include <QWidget>
#include <cstdint>

#include "gui/views/widget_updates.h"
#include "ui_monitor_page.h"

namespace velmar {

class MonitorPage : public QWidget {
    Q_OBJECT
public:
    explicit MonitorPage(QWidget* parent = nullptr);

    // The link writes the fields directly.
    Ui::MonitorPage ui;
    // What the texts of every frame that take work to make were made from.
    ShownValue<uint16_t> txVersionLow, txVersionHigh, rxVersion;
    ShownValue<uint32_t> hostId, deviceId;
    int errorColoursOf = -1;  // the answer's error code the alarm colours show
};

}  // namespace velmar
