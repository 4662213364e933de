// The status command 101: the request carries the live controls, the
// answer every live value of the instrument.

#include "core/device/device_types.h"
#include "core/device/status_codec.h"
#include "core/link/payload_io.h"
#include "gui/app/form_main.h"
#include "gui/device/output_calibration_page.h"
#include "gui/device/px530_page.h"
#include "gui/device/service_calibration_page.h"
#include "gui/device/service_tests_page.h"
#include "gui/device/settings_set_view.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/modules/rtd_input_dialog.h"

namespace velmar {

void TForm1::BuildStatusRequest() {
    // Every field is rebuilt from the live controls for each request.
    // uPWM is kept by the output calibration page and goes out as it stands.
    recTX.uForce = outputCalibrationPage->ForceBits();
    const QWidget* front = PageControl4->currentWidget();
    recTX.uTestForce = px530Page ? px530Page->TestForce(front == devicePages[std::size_t(DevicePage::P530)]) : 0;
    if (recTX.uTestForce == 0)
        recTX.uTestForce = testsPage->TestForce(front == devicePages[std::size_t(DevicePage::P580)]);
    recTX.uLimitForceAndEnable = 0;
    settingsSetView->AddForceBits(recTX.uLimitForceAndEnable);
    recTX.uDirectControl = calibrationPage->DirectControl(front == TabSheet_Velmar);
    // The limit relay dialog tests its output whether it is shown or not.
    if (Form_PXRL) Form_PXRL->AddForceBits(recTX.uLimitForceAndEnable);
    if (Form_PXTR) Form_PXTR->AddCalibrationRange(recTX.uDirectControl);
    TransferWriter out(transfer);
    StatusRequestLayout(out, recTX, recMSys);
}

void TForm1::ProcessStatusAnswer() {
    TransferReader in(transfer);
    StatusAnswerLayout(in, recRX, recMSys);
    recRX.fKimenetSzazalek = ClampPercentage(recRX.fKimenetSzazalek);
    recRX.fKimenetSzazalek_2 = ClampPercentage(recRX.fKimenetSzazalek_2);
    SetDecimalMask(recRX, recRX.uDecimalPoint);
    RefreshHeader();
    RefreshLimitLamps();
    if (Form_PXRL) Form_PXRL->ShowOutputState();
    if (Form_PXRT) Form_PXRT->ShowLiveValues();
    if (px530Page) px530Page->ShowStatus();
    settingsSetView->ShowLimitStates();
    // Its many texts are made only while it is in front, and when it comes
    // there.
    if (calibrationPage->isVisible()) calibrationPage->ShowStatus();
    if (Form_PXTR) Form_PXTR->ShowLiveValues();
    // The trend's history takes its sample from this signal; the window
    // draws from its own timer.
    emit events.statusAnswered();
}

}  // namespace velmar
