#pragma once
// Service page "MBU": the attached HID device's identity and the last
// transmitted and received frame, field by field and as a hex dump.

#include <QWidget>

#include "ui_monitor_page.h"

namespace velmar {

class MonitorPage : public QWidget {
    Q_OBJECT
public:
    explicit MonitorPage(QWidget* parent = nullptr);

    // The link writes the fields directly.
    Ui::MonitorPage ui;
};

}  // namespace velmar
