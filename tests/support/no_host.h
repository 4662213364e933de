#pragma once
// The transfer outside any link: nothing is sent, no timer runs. What it
// holds is the payloads, for builders to fill and decoders to read.

#include "core/link/transfer.h"

namespace velmar::test {

class NoHost : public TransferHost {
public:
    bool SendTxFrame() override { return true; }
    void StartAnswerTimer() override {}
    void StopAnswerTimer() override {}
    void ProcessRxCommand(uint8_t) override {}
    void ProcessRxFrame() override {}
    void ShowAnswerLength(uint16_t) override {}
    void ShowTxBufferFull(bool) override {}
};

}  // namespace velmar::test
