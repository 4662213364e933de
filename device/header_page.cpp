#include "device/header_page.h"

#include <QTabBar>

#include "views/jpeg_image.h"

namespace velmar {

HeaderPage::HeaderPage(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    // The pages are switched by the link state, never by the user.
    ui.PageControl5->tabBar()->hide();
    // Shown only while the last frame reported an error.
    ui.Label_MBURxError2->hide();
    // The second value only exists with a Modbus module used as input.
    ui.GroupBox_Value2->hide();
    ui.Image1->setPixmap(LogoPixmap());
    ui.Image2->setPixmap(LogoPixmap());
}

}  // namespace velmar
