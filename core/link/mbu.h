#pragma once
// The link and transfer record: link state, command history and the
// command and answer payload buffers.

#include <array>
#include <cstdint>

namespace velmar {

constexpr std::size_t kPayloadBufferSize = 16384;
constexpr std::size_t kHistorySize = 25;

struct TMBU {
    uint8_t uRxIndex = 0;
    uint8_t uTriedNumber = 0;
    bool bOnline = false;
    bool bWaitForAnswer = false;
    uint8_t uLinkedCommand = 0;
    std::array<uint8_t, kHistorySize> uCommandLines{};
    std::array<uint8_t, kHistorySize + 1> uCommandCountLines{};
    uint16_t uIndexForDataWrite = 0;
    uint16_t uIndexForDataRead = 0;
    uint16_t uDataInIndexForComm = 0;
    uint16_t uDataOutIndexForComm = 0;
    std::array<uint8_t, kPayloadBufferSize> uyDataIn{};
    std::array<uint8_t, kPayloadBufferSize> uyDataOut{};
    uint8_t uTP = 0;  // transfer phase, see PayloadTransfer
    bool bTxReady = false;
    uint8_t uDataFrameBits = 0;
    uint16_t uSumDataByteFromRx = 0;
    bool bRxReady = false;
    int32_t uTxStateMasine = 1;
    uint16_t uDeviceType = 0;
    uint32_t uComInSec = 0;
};

}  // namespace velmar
