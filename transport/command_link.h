#pragma once
// The link without a window: frames, the chunked transfer and the answer
// timer on a HID library, serving the command engine's commands one at a
// time. The command-line tool talks to the instrument through it.

#include <QObject>
#include <array>
#include <functional>
#include <vector>

#include "core/link/command_engine.h"
#include "core/link/mbu.h"
#include "core/link/transfer.h"
#include "transport/hid_library.h"

class QTimer;

namespace velmar {

class CommandLink : public QObject, public TransferHost {
    Q_OBJECT
public:
    static constexpr int kAnswerTimeMs = 200;

    explicit CommandLink(HidLibrary& hid, QObject* parent = nullptr);
    ~CommandLink() override;

    // Starts listening to the HID library; the instrument is announced by
    // a plugged event.
    void Start();
    bool Online() const { return mbu_.bOnline; }

    CommandEngine engine;
    // Told of every settings block command answered, as the main window's is.
    std::function<void(uint8_t command, const std::vector<uint8_t>& request, const std::vector<uint8_t>& answer)>
        blockExchanged;

    // From the last answer's header.
    uint16_t DeviceType() const { return deviceType_; }
    uint32_t Serial() const { return serial_; }
    uint16_t FirmwareCode() const { return firmware_; }
    // Asks any instrument again: after its identity was rewritten.
    void ForgetDevice() { deviceType_ = 0; }

    // TransferHost
    [[nodiscard]] bool SendTxFrame() override;
    void StartAnswerTimer() override;
    void StopAnswerTimer() override;
    void ProcessRxCommand(uint8_t command) override;
    void ProcessRxFrame() override;
    void ShowAnswerLength(uint16_t) override {}
    void ShowTxBufferFull(bool) override {}

signals:
    void plugged();
    void unplugged();

private:
    void OnHidEvent(int event, HidHandle handle);
    void AnswerTimeOut();
    void Next();

    HidLibrary& hid_;
    TMBU mbu_;
    std::array<uint8_t, 67> out_{};
    std::array<uint8_t, 65> in_{};
    PayloadTransfer transfer_;
    QTimer* answerTimer_;
    bool inFlight_ = false;
    uint16_t deviceType_ = 0;
    uint32_t serial_ = 0;
    uint16_t firmware_ = 0;
};

}  // namespace velmar
