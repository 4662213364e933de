// Which page of the main window is in front: the device pages with their
// module buttons, the page about the program, the no-connection header and
// the refused-version pages; and who the attached instrument is.

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>

#include "core/device/device_types.h"
#include "core/modules/module_map.h"
#include "gui/app/device_replaced_dialog.h"
#include "gui/app/form_main.h"
#include "gui/app/version_refused_page.h"
#include "gui/device/header_page.h"
#include "gui/device/px530_page.h"
#include "gui/device/service_serial_page.h"
#include "gui/modules/module_tabs.h"
#include "gui/views/about_page.h"
#include "gui/views/label_colors.h"
#include "gui/views/radio_group.h"
#include "gui/views/widget_updates.h"
#include "gui/views/window_placement.h"

namespace velmar {

void TForm1::ShowNoCommPage() {
    if (bVelmarMode) return;
    header->ui.PageControl5->setCurrentWidget(header->ui.TabSheet_NoComm);
    ShowDevicePage(aboutPage);
}

void TForm1::ShowDevicePage(QWidget* page) {
    // The program's own page changes read nothing: only the user's do.
    const QSignalBlocker quiet(PageControl4);
    PageControl4->setTabVisible(PageControl4->indexOf(page), true);
    PageControl4->setCurrentWidget(page);
    for (QWidget* p : devicePages)
        if (p != page) PageControl4->setTabVisible(PageControl4->indexOf(p), false);
}

void TForm1::HideDevicePages() {
    const QSignalBlocker quiet(PageControl4);
    for (QWidget* p : devicePages) PageControl4->setTabVisible(PageControl4->indexOf(p), false);
}

void TForm1::ShowVersionRefusedPage(bool tooNew) {
    VersionRefusedPage* page = tooNew ? tooNewPage : tooOldPage;
    const QSignalBlocker quiet(PageControl4);
    PageControl4->setCurrentWidget(page);
    page->exitButton()->setFocus();
}

void TForm1::ShowDeviceTypeName(uint16_t deviceType) {
    QLabel* label = header->ui.Label_KeszulekTipus;
    label->setText(QString::fromStdString(DeviceTypeName(deviceType)));
    SetTextColor(label, FindDeviceType(deviceType) ? colors::WindowText() : colors::kRed);
}

void TForm1::ShowOptionButtons(const OptionSlot& slot, uint8_t code) {
    for (const char* name : slot.hidden)
        if (QWidget* c = moduleTabs->Control(name)) SetShown(c, false);
    const OptionRule& rule = RuleFor(slot, code);
    for (const char* name : rule.shown)
        if (name)
            if (QWidget* c = moduleTabs->Control(name)) SetShown(c, true);
    // The module choice of the service page follows the reported module.
    if (auto* group = findChild<RadioGroup*>(slot.radioGroup)) group->SetItemIndex(rule.radioItem);
}

void TForm1::ShowOptInButtons(uint8_t code) { ShowOptionButtons(InputSlot(), code); }
void TForm1::ShowOptOutPrimerButtons(uint8_t code) { ShowOptionButtons(PrimarySlot(), code); }
void TForm1::ShowOptOutSecondaryButtons(uint8_t code) { ShowOptionButtons(SecondarySlot(), code); }

void TForm1::SelectDevicePage(uint16_t deviceType) {
    auto setRadio = [this](const char* name, int item) {
        if (auto* group = findChild<RadioGroup*>(name)) group->SetItemIndex(item);
    };
    const uint8_t in = recRX.uPXOptIn, out1 = recRX.uPXOptOutPrimer, out2 = recRX.uPXOptOutSecondary;
    const DeviceTypeInfo* info = FindDeviceType(deviceType);
    if (!info || info->page == DevicePage::None) return;
    switch (info->page) {
    case DevicePage::P210:
    case DevicePage::P530:
        ShowOptInButtons(in);
        setRadio("RadioGroup_Kimenet1", 0);
        setRadio("RadioGroup_Kimenet2", 0);
        break;
    case DevicePage::P310:
        setRadio("RadioGroup_Bemenet", 0);
        setRadio("RadioGroup_Kimenet1", 1);
        setRadio("RadioGroup_Kimenet2", 0);
        break;
    case DevicePage::P330:
        ShowOptInButtons(in);
        ShowOptOutPrimerButtons(out1);
        ShowOptOutSecondaryButtons(out2);
        break;
    case DevicePage::P350:
    case DevicePage::P370:
        ShowOptOutPrimerButtons(out1);
        ShowOptOutSecondaryButtons(out2);
        break;
    case DevicePage::P580:
        // Its modules are shown but their dialogs are not for this instrument.
        for (const char* b :
             {"Button_PX580_PXAI", "Button_PX580_PXRT", "Button_PX580_PXAO_Fo", "Button_PX580_PXMB_Fo"}) {
            QWidget* button = moduleTabs->Control(b);
            button->setEnabled(false);
            button->setToolTip(
                QString::fromUtf8("A PX580 moduljainak beállításai ebből a programból nem érhetők el: "
                                  "a gomb csak azt mutatja, milyen modul van a készülékben."));
        }
        for (const char* l : {"Shape_DigitalOut1_PX330", "Shape_DigitalOut2_PX330", "Shape_DigitalOut1_PX350",
                              "Shape_DigitalOut2_PX350", "Shape_DigitalOut1_PX370", "Shape_DigitalOut2_PX370"})
            moduleTabs->Control(l)->hide();
        ShowOptInButtons(in);
        ShowOptOutPrimerButtons(out1);
        ShowOptOutSecondaryButtons(out2);
        break;
    default: return;
    }
    QWidget* page = devicePages[std::size_t(info->page)];
    if (!bVelmarMode) {
        const bool another = PageControl4->currentWidget() != page;
        ShowDevicePage(page);
        // A new instrument's page: the window shrinks or grows to it.
        if (another) FitWindowToContent();
    } else if (PageControl4->currentWidget() != TabSheet_Velmar) {
        const QSignalBlocker quiet(PageControl4);
        PageControl4->setCurrentWidget(page);
    }
}

void TForm1::CheckDeviceIdentity() {
    ShowDeviceTypeName(recRX.uDevice);
    TForm_Keszulekcsere* dialog = Form_Keszulekcsere;
    if (dialog && dialog->isVisible()) return;
    const bool typeChanged = recRX.uDevice != recRX.uLastDevice;
    const bool idChanged = recRX.uDeviceID != recRX.uLastDeviceID;
    if (!typeChanged && !idChanged) return;
    if (dialog) {
        SetTextColor(dialog->Label_uDevice, typeChanged ? colors::kRed : colors::kBlack);
        SetTextColor(dialog->Label_uDeviceID, idChanged ? colors::kRed : colors::kBlack);
        dialog->Label_uDevice->setText(QString::number(recRX.uDevice));
        dialog->Label_uLastDevice->setText(QString::number(recRX.uLastDevice));
        dialog->Label_uDeviceID->setText(QString::number(recRX.uDeviceID));
        dialog->Label_uLastDeviceID->setText(QString::number(recRX.uLastDeviceID));
        if (recRX.uLastDevice != 0) {
            // Sized by its layout first, or it would be centred by the size
            // it has before its first show.
            dialog->adjustSize();
            PositionFormToCenterOfMainForm(dialog, this);
            // In front of a dialog open at the time, not behind it.
            dialog->show();
            dialog->raise();
            dialog->activateWindow();
        }
    }
    recMBU.uDeviceType = recRX.uDevice;
    recRX.uLastDevice = recRX.uDevice;
    recRX.uLastDeviceID = recRX.uDeviceID;
}

void TForm1::CloseDeviceReplacedDialog() {
    if (Form_Keszulekcsere && Form_Keszulekcsere->isVisible()) Form_Keszulekcsere->close();
}

void TForm1::Button_GyariSzamToEditsClick() {
    serialPage->ShowReceivedIdentity();
    ShowDeviceTypeName(recRX.uDevice);
    SelectDevicePage(recRX.uDevice);  // also the option choices of the serial page
    ReadSerialPage();
    serialPage->ShowReceivedPt1000();
    ReadActivePageSettings();
}

void TForm1::PageControl4Change() { ReadActivePageSettings(); }

void TForm1::ReadActivePageSettings() {
    // Pages whose settings are read on entering them, by the button that
    // asks for them; a page's button exists once its dialog or page does.
    const struct {
        QWidget* page;
        const char* readButton;
    } reads[] = {
        {devicePages[std::size_t(DevicePage::P310)], "SpeedButton_ReadFromDevice_PX310"},
        {TabSheet_Velmar, "SpeedButton_ReadSettings"},
    };
    QWidget* front = PageControl4->currentWidget();
    if (front == devicePages[std::size_t(DevicePage::P530)]) px530Page->EnterPage();
    for (const auto& r : reads)
        if (front == r.page)
            if (auto* button = findChild<QAbstractButton*>(r.readButton)) button->setChecked(true);
}

void TForm1::SetDisplayTestPattern(int pattern) { px530Page->SetDisplayTestPattern(pattern); }

void TForm1::ShowDisplayTestPattern() { px530Page->ShowDisplayTestPattern(); }

}  // namespace velmar
