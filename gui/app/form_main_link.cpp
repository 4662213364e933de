// The main window's side of the link: HID events, answer frames, the answer
// timer, frames per second and the activity lamps.

#include "gui/views/frame_dump_view.h"
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

#include "core/device/number_mask.h"
#include "core/link/command_history.h"
#include "core/link/frame.h"
#include "core/link/frame_dump.h"
#include "gui/app/form_main.h"
#include "gui/app/velmar_aid.h"
#include "gui/device/header_page.h"
#include "gui/link/monitor_page.h"
#include "gui/views/label_colors.h"
#include "gui/views/lamp.h"
#include "gui/views/widget_updates.h"
#include "program/log_categories.h"
#include "transport/instrument_frames.h"

namespace velmar {

namespace {
QString Hex4(uint16_t v) { return QString("%1").arg(v, 4, 16, QChar('0')).toUpper(); }
QString Num(long long v) { return QString::number(v); }
QString Identifier(uint32_t id) { return QString::fromStdString(FormatMask(id, "# ### ### ##0")); }
QString VersionOrDash(uint16_t code) { return code ? QString::fromStdString(VersionCodeToText(code, ".")) : "-"; }
}  // namespace

bool TForm1::HandleHidMessage(int event, HidHandle handle) {
    switch (event) {
    case kHidPlugged:
        if (IsInstrument(hid_, handle)) {
            recMBU.bOnline = true;
            answeredSinceLinkUp_ = false;
            monitor->ui.Shape_MBUOn->setBrushColor(colors::kLime);
            header->ui.Shape_USBConnected->setBrushColor(colors::kLime);
            ShowHidIdentity();
        }
        return true;
    case kHidUnplugged:
        if (IsInstrument(hid_, handle)) {
            recMBU.bOnline = false;
            answeredSinceLinkUp_ = false;
            engine.CancelAll();
            DropPendingChanges(
                QString::fromUtf8("A készülék kapcsolata megszakadt: a kért beírás nem került a készülékbe."));
            monitor->ui.Shape_MBUOn->switchOff();
            header->ui.Shape_USBConnected->switchOff();
            ClearHidIdentity();
        }
        return true;
    case kHidChanged: hid_.SetReadNotify(hid_.GetHandle(kVendorId, kProductId), true); return true;
    case kHidReportReceived:
        if (options_.beep) options_.beep();
        // A report that could not be read is not taken for the last one again.
        if (IsInstrument(hid_, handle) && ReadInstrumentFrame(hid_, handle, FBufferIn.data())) ProcessRxFrame();
        return true;
    default: return false;
    }
}

void TForm1::ShowHidIdentity() {
    const HidHandle h = hid_.GetHandle(kVendorId, kProductId);
    char name[257] = {};
    hid_.GetVendorName(h, name, 256);
    monitor->ui.Label_VendorName->setText(QString::fromLatin1(name));
    name[0] = 0;
    hid_.GetProductName(h, name, 256);
    monitor->ui.Label_ProductName->setText(QString::fromLatin1(name));
    const uint16_t vid = hid_.GetVendorID(h), pid = hid_.GetProductID(h);
    monitor->ui.Label_VendorID->setText("$" + Hex4(vid) + " = " + Num(vid));
    monitor->ui.Label_ProductID->setText("$" + Hex4(pid) + " = " + Num(pid));
}

void TForm1::ClearHidIdentity() {
    for (QLabel* l : {monitor->ui.Label_VendorName, monitor->ui.Label_ProductName, monitor->ui.Label_VendorID,
                      monitor->ui.Label_ProductID})
        l->clear();
}

bool TForm1::SendTxFrame() {
    recMBU.bWaitForAnswer = true;
    // A frame that did not go ends its command at once (the transfer shows
    // it as such); it is still shown as sent, for what was tried.
    const bool sent = WriteInstrumentFrame(hid_, FBufferOut.data());
    if (FBufferOut[pos::kFrameBits] & bits::kFirst) {
        const QString history = QString::fromStdString(AddCommandToHistory(recMBU, FBufferOut[pos::kCommand]));
        monitor->ui.Label_Commands->setText(history);
        velmarAid->ui.Label_MBU_Commands->setText(history);
        monitor->ui.Label_uIndexForDataWrite->setText(
            QString::fromStdString(PayloadLengthText(recMBU.uIndexForDataWrite)));
    }
    ShowTxFrame();
    return sent;
}

void TForm1::ShowTxFrame() {
    const uint8_t* f = FBufferOut.data();
    auto& ui = monitor->ui;
    ui.Label_MBUTxDevice->setText(Num(GetU16(f, pos::kDevice)));
    monitor->txVersionLow.Show(ui.Label_MBUTxVerL, GetU16(f, pos::kVersionMin), VersionOrDash);
    monitor->txVersionHigh.Show(ui.Label_MBUTxVerH, GetU16(f, pos::kVersionMax), VersionOrDash);
    ui.Label_MBUTxCommand->setText(Num(f[pos::kCommand]));
    monitor->hostId.Show(ui.Label_HostID, GetU32(f, pos::kId), Identifier);
    ui.Memo_MBUTx->setFrame(f, false);
}

void TForm1::ShowErrorColours(uint8_t code) {
    // Every frame brings a code, nearly always the last one's.
    if (monitor->errorColoursOf == code) return;
    monitor->errorColoursOf = code;
    auto& ui = monitor->ui;
    SetAlarm(ui.Label_MBURxError, code != 0);
    SetShown(header->ui.Label_MBURxError2, code != 0);
    SetAlarm(ui.Label_MBUTxCommand, code == err::kUnknownCommand);
    SetAlarm(ui.Label_MBUTxDevice, code == err::kUnknownDevice);
    SetAlarm(ui.Label_MBURxDevice, code == err::kUnknownDevice);
    const bool version = code == err::kProgramOld || code == err::kProgramNew;
    SetAlarm(ui.Label_MBUTxVerL, version);
    SetAlarm(ui.Label_MBUTxVerH, version);
    SetAlarm(ui.Label_MBURxVer, version);
}

void TForm1::ProcessRxFrame() {
    const uint8_t code = FBufferIn[pos::kError];
    auto& ui = monitor->ui;
    ShowErrorColours(code);
    // No answer came: the instrument is as good as silent.
    const bool notSent = transfer.FrameNotSent();
    const bool noAnswer = code == err::kTimeout || notSent;
    if (noAnswer)
        ShowNoCommPage();
    else if (header->ui.PageControl5->currentWidget() != header->ui.TabSheet_Header)
        header->ui.PageControl5->setCurrentWidget(header->ui.TabSheet_Header);

    if (code == err::kOk) {
        ui.Label_MBURxError->setText("0");
    } else if (const ErrorText* text = notSent ? &WriteFailedText() : FindErrorText(code)) {
        ui.Label_MBURxError->setText(QString::fromUtf8(text->longText));
        header->ui.Label_MBURxError2->setText(QString::fromUtf8(text->shortText));
        if ((code == err::kProgramOld || code == err::kProgramNew) && !bVelmarMode)
            ShowVersionRefusedPage(code == err::kProgramNew);
        if (noAnswer) recMBU.uComInSec = 0;
        if (code == err::kTimeout) ReactivateForm();
        EndTransfer();
        if (engineInFlight_) {
            engineInFlight_ = false;
            engine.Failed(code);
        } else {
            commands.Fail(FBufferOut[pos::kCommand]);
        }
    }

    if (code == err::kCrc || noAnswer) {
        for (QLabel* l : {ui.Label_MBURxDevice, ui.Label_MBURxVer, ui.Label_MBURxCounter}) l->setText("?");
        monitor->rxVersion.Forget();
        ui.Memo_MBURx->clear();
        // The answer is dealt with: without this a single corrupted answer,
        // or an instrument answering with the timeout code itself, would
        // stop the link for good, as nothing else would clear it (the answer
        // timer was stopped with the transfer).
        recMBU.bWaitForAnswer = false;
        return;
    }

    FlashRxLed();
    const uint8_t* f = FBufferIn.data();
    recRX.uDevice = GetU16(f, pos::kDevice);
    ui.Label_MBURxDevice->setText(Num(recRX.uDevice));
    monitor->rxVersion.Show(ui.Label_MBURxVer, GetU16(f, pos::kVersionMin), [this](uint16_t code) {
        firmware = QString::fromStdString(VersionCodeToText(code, "."));
        header->ui.Label_Firmware->setText("v" + firmware);
        return firmware;
    });
    recRX.uMBURxCounter = f[pos::kCounter];
    ui.Label_MBURxCounter->setText(Num(recRX.uMBURxCounter));
    recRX.uDeviceID = GetU32(f, pos::kId);
    monitor->deviceId.Show(ui.Label_DeviceID, recRX.uDeviceID, Identifier);
    ui.Memo_MBURx->setFrame(f, true);
    recMBU.uRxIndex = 1;
    NoteAnsweringInstrument();

    if (code == err::kOk) transfer.ProcessRxTransfer(f[pos::kCommand]);
    recMBU.bWaitForAnswer = false;
    CheckDeviceIdentity();
}

void TForm1::NoteAnsweringInstrument() {
    answeredSinceLinkUp_ = true;
    const InstrumentKey now{recRX.uDevice, recRX.uDeviceID};
    if (answering_ == now) return;
    const bool another = answering_.has_value();
    answering_ = now;
    if (!another) return;
    DropPendingChanges(
        QString::fromUtf8("Másik készülék válaszol: az előző készüléknek szánt beírás nem került az új készülékbe."));
    emit events.answeringInstrumentChanged();
}

void TForm1::FlashRxLed() {
    const uint8_t command = FBufferIn[pos::kCommand];
    const QColor c = command == 1 || command == 101 ? colors::kYellow : colors::kLime;
    monitor->ui.Shape_MBUCom->setBrushColor(c);
    velmarAid->ui.Shape_USBCommunication->setBrushColor(c);
    Timer_RxLED->start(100);
}

void TForm1::Timer_RxLEDTimer() {
    monitor->ui.Shape_MBUCom->switchOff();
    velmarAid->ui.Shape_USBCommunication->switchOff();
    Timer_RxLED->stop();
}

void TForm1::StartAnswerTimer() {
    TimerTimeOut->stop();
    recMBU.uTriedNumber = 1;
    TimerTimeOut->start(200);
}

void TForm1::StopAnswerTimer() { TimerTimeOut->stop(); }

void TForm1::TimerTimeOutTimer() {
    StopAnswerTimer();
    qCDebug(lcLink, "parancs %u: nem jött válasz", FBufferOut[pos::kCommand]);
    FBufferIn[pos::kError] = err::kTimeout;
    recRX.iFPS = 0;
    ProcessRxFrame();
    recMBU.bWaitForAnswer = false;
    EndTransfer();
    CloseDeviceReplacedDialog();
}

void TForm1::Timer_1secTimer() {
    recRX.iFPS = CounterDelta(recRX.uMBURxCounterPrev, recRX.uMBURxCounter);
    if (!recMBU.bOnline) recRX.iFPS = 0;
    if (recMBU.uComInSec >= 1) {
        monitor->ui.Label_FPS->setText(Num(recRX.iFPS));
        header->ui.Label_FPS2->setText(Num(recRX.iFPS) + " FpS");
    } else {
        monitor->ui.Label_FPS->setText("0");
        header->ui.Label_FPS2->setText("0 FpS");
    }
    const QColor fpsColour = recRX.iFPS == 0 ? colors::kRed : colors::kGreen;
    SetTextColor(monitor->ui.Label_FPS, fpsColour);
    SetTextColor(header->ui.Label_FPS2, fpsColour);
    if (recRX.iFPS == 0) ShowNoCommPage();
    recRX.uMBURxCounterPrev = recRX.uMBURxCounter;
    if (recRX.iFPS <= 0)
        recMBU.uComInSec = 0;
    else
        ++recMBU.uComInSec;
    if (recMBU.uComInSec == 2) Button_GyariSzamToEditsClick();
}

void TForm1::ShowAnswerLength(uint16_t length) {
    monitor->ui.Label_uSumDataByteFromRx->setText(QString::fromStdString(PayloadLengthText(length)));
}

void TForm1::ShowTxBufferFull(bool full) { SetShown(monitor->ui.Label_TXBufferIsFull, full); }

}  // namespace velmar
