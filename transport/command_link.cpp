#include "transport/command_link.h"

#include <QTimer>

#include "core/link/command_table.h"
#include "core/link/frame.h"
#include "core/settings/settings_blocks.h"
#include "program/log_categories.h"
#include "transport/instrument_frames.h"

namespace velmar {

CommandLink::CommandLink(HidLibrary& hid, QObject* parent)
    : QObject(parent), hid_(hid), transfer_(mbu_, out_.data(), in_.data(), *this), answerTimer_(new QTimer(this)) {
    answerTimer_->setSingleShot(true);
    connect(answerTimer_, &QTimer::timeout, this, &CommandLink::AnswerTimeOut);
    connect(&hid_, &HidLibrary::hidEvent, this, &CommandLink::OnHidEvent);
    // Started from the event loop, so that a caller's own state is settled
    // before its answer can arrive.
    engine.submitted = [this] { QTimer::singleShot(0, this, &CommandLink::Next); };
}

CommandLink::~CommandLink() = default;

void CommandLink::Start() { hid_.Connect(); }

void CommandLink::Next() {
    if (!mbu_.bOnline || inFlight_ || mbu_.uTP != phase::kIdle || !engine.Queued()) return;
    const uint8_t command = engine.StartNext();
    inFlight_ = true;
    transfer_.BeginCommand();
    // Device type 0 until the first answer names it: any instrument answers.
    FillTxHeader(out_.data(), deviceType_, command, MinimumFirmwareFor(deviceType_), VersionDate{});
    for (uint8_t b : engine.ActiveRequest()) transfer_.WriteByte(b);
    transfer_.SendNextChunk();
}

void CommandLink::OnHidEvent(int event, HidHandle handle) {
    if (!IsInstrument(hid_, handle)) return;
    switch (event) {
    case kHidPlugged:
        mbu_.bOnline = true;
        emit plugged();
        Next();
        break;
    case kHidUnplugged:
        mbu_.bOnline = false;
        answerTimer_->stop();
        transfer_.EndTransfer();
        inFlight_ = false;
        engine.CancelAll();
        emit unplugged();
        break;
    case kHidChanged: hid_.SetReadNotify(handle, true); break;
    case kHidReportReceived:
        if (ReadInstrumentFrame(hid_, handle, in_.data())) ProcessRxFrame();
        break;
    default: break;
    }
}

bool CommandLink::SendTxFrame() {
    mbu_.bWaitForAnswer = true;
    return WriteInstrumentFrame(hid_, out_.data());
}

void CommandLink::StartAnswerTimer() { answerTimer_->start(kAnswerTimeMs); }
void CommandLink::StopAnswerTimer() { answerTimer_->stop(); }

void CommandLink::AnswerTimeOut() {
    qCDebug(lcLink, "parancs %u: nem jött válasz", out_[pos::kCommand]);
    in_[pos::kError] = err::kTimeout;
    ProcessRxFrame();
}

void CommandLink::ProcessRxFrame() {
    const uint8_t code = in_[pos::kError];
    if (code != err::kOk) {
        answerTimer_->stop();
        mbu_.bWaitForAnswer = false;
        transfer_.EndTransfer();
        if (inFlight_) {
            inFlight_ = false;
            engine.Failed(code);
        }
        QTimer::singleShot(0, this, &CommandLink::Next);
        return;
    }
    deviceType_ = GetU16(in_.data(), pos::kDevice);
    firmware_ = GetU16(in_.data(), pos::kVersionMin);
    serial_ = GetU32(in_.data(), pos::kId);
    mbu_.uRxIndex = 1;
    transfer_.ProcessRxTransfer(in_[pos::kCommand]);
    mbu_.bWaitForAnswer = false;
}

void CommandLink::ProcessRxCommand(uint8_t) {
    if (!inFlight_) return;
    inFlight_ = false;
    const std::size_t length = std::min<std::size_t>(mbu_.uSumDataByteFromRx, mbu_.uyDataIn.size());
    const uint8_t command = out_[pos::kCommand];
    if (blockExchanged && IsBlockCommand(command))
        blockExchanged(command,
                       std::vector<uint8_t>(mbu_.uyDataOut.data(), mbu_.uyDataOut.data() + mbu_.uIndexForDataWrite),
                       std::vector<uint8_t>(mbu_.uyDataIn.data(), mbu_.uyDataIn.data() + length));
    engine.Answered(mbu_.uyDataIn.data(), length);
    QTimer::singleShot(0, this, &CommandLink::Next);
}

}  // namespace velmar
