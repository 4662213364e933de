#pragma once
// Splits a command payload into 46-byte frames, collects the answer payload
// chunk by chunk and hands the complete answer to its decoder. One frame is
// in flight at a time.

#include <cstdint>

#include "core/link/mbu.h"

namespace velmar {

// Transfer phases (TMBU::uTP).
namespace phase {
constexpr uint8_t kIdle = 0;
constexpr uint8_t kStart = 1;
constexpr uint8_t kPayloadSent = 2;
constexpr uint8_t kNextPayload = 3;
constexpr uint8_t kNextAnswerChunk = 4;
constexpr uint8_t kAnswerRequested = 5;
}  // namespace phase

// What the transfer needs from the link around it.
class TransferHost {
public:
    virtual ~TransferHost() = default;
    // False when the transport could not send the frame.
    [[nodiscard]] virtual bool SendTxFrame() = 0;
    virtual void StartAnswerTimer() = 0;
    virtual void StopAnswerTimer() = 0;
    virtual void ProcessRxCommand(uint8_t command) = 0;
    // Shows the frame in the input buffer again, after the transfer changed
    // its error code.
    virtual void ProcessRxFrame() = 0;
    virtual void ShowAnswerLength(uint16_t length) = 0;
    virtual void ShowTxBufferFull(bool full) = 0;
};

class PayloadTransfer {
public:
    static constexpr uint16_t kMaxCommandPayload = kPayloadBufferSize - 1;

    PayloadTransfer(TMBU& mbu, uint8_t* bufferOut, uint8_t* bufferIn, TransferHost& host);

    // The transfer's share of starting a command: phase 1, empty payload.
    void BeginCommand();
    void SendNextChunk();
    void FillTxChunk();
    // Continues after an answer frame with error code 0.
    void ProcessRxTransfer(uint8_t command);
    void TakeRxChunk();
    void EndTransfer();

    void WriteByte(uint8_t value);
    void WriteWord(uint16_t value);
    void WriteSmallInt(int16_t value);
    void WriteInteger(int32_t value);
    void WriteCardinal(uint32_t value);
    void WriteSingle(float value);
    void WriteBoolean(bool value);

    // A read past the received payload gives 0.
    uint8_t ReadByte();
    uint16_t ReadWord();
    int16_t ReadSmallInt();
    int32_t ReadInteger();
    uint32_t ReadCardinal();
    float ReadSingle();
    bool ReadBoolean();

    // True only while the host handles a command ended because its frame
    // could not be sent, so that it is not taken for an answer carrying
    // the same code.
    bool FrameNotSent() const { return frameNotSent_; }

private:
    void SendPayloadFrame();
    // Seals and sends the frame, then waits for its answer; a frame the
    // transport could not send ends the command at once.
    void SendFrame();
    void AnswerChunkArrived(uint8_t command);
    void RefuseAnswer();
    // Ends the command with a code the host sets itself, shown as if the
    // answer had carried it.
    void EndWithError(uint8_t code);

    TMBU& mbu_;
    uint8_t* out_;
    uint8_t* in_;
    bool frameNotSent_ = false;
    TransferHost& host_;
    bool bufferFullShown_ = false;
};

}  // namespace velmar
