// The status command 101: the request carries the live controls, the
// answer every live value of the instrument.

#include "app/form_main.h"
#include "device/status_codec.h"
#include "link/payload_io.h"

namespace velmar {

void TForm1::BuildStatusRequest() {
    // Every field is rebuilt from the live controls for each request.
    recTX.uForce = 0;
    recTX.uTestForce = 0;
    recTX.uLimitForceAndEnable = 0;
    recTX.uDirectControl = 0;
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
}

}  // namespace velmar
