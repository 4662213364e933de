#pragma once
// The strip at the top of the main window: the attached instrument's basic
// data and live values, or a no-connection notice while nothing answers.

#include <QWidget>
#include <cstdint>

#include "gui/views/widget_updates.h"
#include "ui_header_page.h"

namespace velmar {

class HeaderPage : public QWidget {
    Q_OBJECT
public:
    explicit HeaderPage(QWidget* parent = nullptr);

    // On the no-connection page: why an attached instrument cannot be
    // opened, with the command that helps; hidden while text is empty.
    void ShowAccessProblem(const QString& text);

    // The main window drives the controls directly.
    Ui::HeaderPage ui;
    // What the serial number's text was made from: serial, year, month.
    ShownValue<uint64_t> serial;
};

}  // namespace velmar
