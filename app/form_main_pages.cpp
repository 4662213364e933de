// Which page of the main window is in front: the device pages, the page
// about the program, the no-connection header and the refused-version pages.

#include <QPushButton>
#include <QTabWidget>

#include "app/form_main.h"
#include "app/version_refused_page.h"
#include "device/header_page.h"
#include "views/about_page.h"

namespace velmar {

void TForm1::ShowNoCommPage() {
    if (bVelmarMode) return;
    header->ui.PageControl5->setCurrentWidget(header->ui.TabSheet_NoComm);
    ShowDevicePage(aboutPage);
}

void TForm1::ShowDevicePage(QWidget* page) {
    PageControl4->setTabVisible(PageControl4->indexOf(page), true);
    PageControl4->setCurrentWidget(page);
    for (QWidget* p : devicePages)
        if (p != page) PageControl4->setTabVisible(PageControl4->indexOf(p), false);
}

void TForm1::HideDevicePages() {
    for (QWidget* p : devicePages) PageControl4->setTabVisible(PageControl4->indexOf(p), false);
}

void TForm1::SelectDevicePage(uint16_t) {}

void TForm1::ShowVersionRefusedPage(bool tooNew) {
    VersionRefusedPage* page = tooNew ? tooNewPage : tooOldPage;
    PageControl4->setCurrentWidget(page);
    page->exitButton()->setFocus();
}

void TForm1::CheckDeviceIdentity() {}

void TForm1::Button_GyariSzamToEditsClick() {}

void TForm1::CloseDeviceReplacedDialog() {}

}  // namespace velmar
