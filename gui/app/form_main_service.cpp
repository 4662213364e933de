// The service tab: its pages in their order, and the main window's handlers
// of them, each a call into the page that owns the logic.

#include <QAbstractButton>
#include <QTabWidget>

#include "gui/app/form_main.h"
#include "gui/device/output_calibration_page.h"
#include "gui/device/service_calibration_page.h"
#include "gui/device/service_requests.h"
#include "gui/device/service_serial_page.h"
#include "gui/device/service_tests_page.h"
#include "gui/device/settings_pages.h"
#include "gui/device/settings_set_view.h"
#include "gui/link/monitor_page.h"

namespace velmar {

void TForm1::BuildServicePages() {
    serialPage = new ServiceSerialPage(*this);
    PageControl1->addTab(serialPage, QString::fromUtf8("Készülék típus megadása"));
    calibrationPage = new ServiceCalibrationPage(*this);
    PageControl1->addTab(calibrationPage, QString::fromUtf8("Bemenet kalibrálás és készülékinformációk"));
    outputCalibrationPage = new OutputCalibrationPage(*this);
    PageControl1->addTab(outputCalibrationPage, QString::fromUtf8("Kimenet kalibrálás"));
    testsPage = new ServiceTestsPage(*this);
    PageControl1->addTab(testsPage, QString::fromUtf8("Tesztek"));
    limitOutputsPage = new LimitOutputsPage;
    PageControl1->addTab(limitOutputsPage, QString::fromUtf8("Határérték kimenetek"));
    settingsPage = new SettingsPage;
    PageControl1->addTab(settingsPage, QString::fromUtf8("Beállítások"));
    settingsSetView = new SettingsSetView(*this, *settingsPage, *limitOutputsPage);
    monitor = new MonitorPage;
    monitor->setObjectName("TabSheet9");
    PageControl1->addTab(monitor, "MBU");
    PageControl1->setCurrentIndex(0);
}

void TForm1::ReadSerialPage() { serialPage->ReadSerialPage(); }

void TForm1::Button_Auto5kHzCalculationClick() { calibrationPage->Button_Auto5kHzCalculationClick(); }

void TForm1::PageControl1Change() {
    QWidget* front = PageControl1->currentWidget();
    if (front == calibrationPage) calibrationPage->RequestReadBacks();
    if (front == limitOutputsPage) limitOutputsPage->SpeedButton_ReadSettings2->setChecked(true);
}

}  // namespace velmar
