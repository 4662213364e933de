#pragma once
// The AC input dialog on a main window with a fake instrument: the model
// attached, the dialog opened from its device page, reads answered.

#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/ac_input_velmar_tab.h"
#include "tests/support/window_fixture.h"

namespace velmar {

struct AcInputDialog : WindowFixture {
    using Bytes = std::vector<uint8_t>;
    TForm_PXTR* d = nullptr;
    void Start(bool service = false) {
        Create(service ? QStringList{"/QZKTRM"} : QStringList{});
        Plug();
        w->DecimalSeparator = ',';
        d = w->Form_PXTR;
    }
    void SetUp() override { Start(); }
    // The instrument reports itself: model and variant.
    void Attach(uint16_t device, bool shunt = false) {
        tRX rx;
        rx.bPt1000 = shunt;
        Status(rx, device);
    }
    // Opens the dialog from the model's device page button; check runs
    // while it is shown, then it is closed.
    void OpenFor(uint16_t device, bool shunt = false, const std::function<void()>& check = {}) {
        Attach(device, shunt);
        QTimer::singleShot(0, d, [&] {
            EXPECT_TRUE(d->isVisible());
            if (check) check();
            d->close();
        });
        Find<QPushButton>(device == 350 ? "Button_PX350_AC" : "Button_PX370_AC")->click();
    }
    bool TabShown(QWidget* tab) { return d->PageControl_PXTR->isTabVisible(d->PageControl_PXTR->indexOf(tab)); }
    AcVelmarTab* Converter() { return d->TabSheet_PXTR_VelmarBeallitasok; }
    // The dialog open in service mode with the converter's tab in front,
    // where its texts are made.
    void ShowConverterTab() {
        Start(true);
        ASSERT_TRUE(d->PrepareFor(350, false));
        d->show();
        d->PageControl_PXTR->setCurrentWidget(Converter());
        ASSERT_TRUE(Converter()->isVisible());
    }
    // A read answered with the block; returns the command served.
    int Read(const Bytes& block) {
        d->SpeedButton_ReadFromDevice->setChecked(true);
        return Serve(block);
    }
};

}  // namespace velmar
