#pragma once
// The page "A programról": what the program is for, which instruments it
// serves and how to get started. Shown while no instrument is recognised.

#include <QWidget>

#include "ui_about_page.h"

namespace velmar {

class AboutPage : public QWidget {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent = nullptr);

    Ui::AboutPage ui;
};

}  // namespace velmar
