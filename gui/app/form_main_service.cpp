// The service tab: its pages in their order, and the main window's handlers
// of them, each a call into the page that owns the logic.

#include <QAbstractButton>
#include <QPushButton>
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
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/analog_input_dialog.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/modules/modbus_dialog.h"
#include "gui/modules/rtd_input_dialog.h"

namespace velmar {

void TForm1::BuildServicePages() {
    serialPage = new ServiceSerialPage(context_);
    connect(serialPage->Button_GyariSzamToEdits, &QPushButton::clicked, this, &TForm1::Button_GyariSzamToEditsClick);
    PageControl1->addTab(serialPage, QString::fromUtf8("Készülék típus megadása"));
    calibrationPage = new ServiceCalibrationPage(context_);
    PageControl1->addTab(calibrationPage, QString::fromUtf8("Bemenet kalibrálás és készülékinformációk"));
    outputCalibrationPage = new OutputCalibrationPage(context_);
    PageControl1->addTab(outputCalibrationPage, QString::fromUtf8("Kimenet kalibrálás"));
    testsPage = new ServiceTestsPage(context_);
    PageControl1->addTab(testsPage, QString::fromUtf8("Tesztek"));
    limitOutputsPage = new LimitOutputsPage;
    PageControl1->addTab(limitOutputsPage, QString::fromUtf8("Határérték kimenetek"));
    settingsPage = new SettingsPage;
    PageControl1->addTab(settingsPage, QString::fromUtf8("Beállítások"));
    settingsSetView = new SettingsSetView(context_, *settingsPage, *limitOutputsPage);
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

ModuleDialog* TForm1::DialogOf(ModuleKind kind) const {
    switch (kind) {
    case ModuleKind::PXAI: return Form_PXAI;
    case ModuleKind::PXAO: return Form_PXAO;
    case ModuleKind::PXRL: return Form_PXRL;
    case ModuleKind::PXMB: return Form_PXMB;
    case ModuleKind::PXRT: return Form_PXRT;
    case ModuleKind::PXTR: return Form_PXTR;
    default: return nullptr;  // its dialog is not part of the program yet
    }
}

void TForm1::HandSettingsSetParts() {
    if (!settingsSetView) return;
    if (TForm_PXMB* modbus = Form_PXMB) {
        settingsSetView->modbusSerial = [modbus] { return modbus->SerialChoice(); };
        settingsSetView->showModbusSerial = [modbus](uint8_t protocol, uint8_t parity, uint8_t rate, uint8_t address) {
            modbus->ShowSerialSettings(protocol, parity, rate, address);
        };
    }
    if (TForm_PXAO* output = Form_PXAO) settingsSetView->firstOutput = [output] { return output->HeldFirstOutput(); };
}

}  // namespace velmar
