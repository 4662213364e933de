#include "core/link/transfer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/link/frame.h"

namespace velmar {

PayloadTransfer::PayloadTransfer(TMBU& mbu, uint8_t* bufferOut, uint8_t* bufferIn, TransferHost& host)
    : mbu_(mbu), out_(bufferOut), in_(bufferIn), host_(host) {}

void PayloadTransfer::BeginCommand() {
    mbu_.uTP = phase::kStart;
    mbu_.uIndexForDataWrite = 0;
    mbu_.uIndexForDataRead = 0;
    mbu_.uDataInIndexForComm = 0;
    mbu_.uDataFrameBits = bits::kFirst;
}

void PayloadTransfer::SendNextChunk() {
    switch (mbu_.uTP) {
    case phase::kStart:
        mbu_.uDataOutIndexForComm = 0;
        PutU16(out_, pos::kIndex, 0);
        mbu_.bTxReady = false;
        mbu_.bRxReady = false;
        SendPayloadFrame();
        break;
    case phase::kNextPayload:
        mbu_.uDataFrameBits = 0;
        PutU16(out_, pos::kIndex, mbu_.uDataOutIndexForComm);
        SendPayloadFrame();
        break;
    case phase::kNextAnswerChunk:
        // The payload bytes keep the last payload frame's content.
        mbu_.uDataFrameBits = bits::kAnswerRequest;
        PutU16(out_, pos::kIndex, mbu_.uDataInIndexForComm);
        out_[pos::kFrameBits] = bits::kAnswerRequest;
        PutU16(out_, pos::kDataBytes, mbu_.uIndexForDataWrite);
        mbu_.uTP = phase::kAnswerRequested;
        SendFrame();
        break;
    default: break;
    }
}

void PayloadTransfer::SendPayloadFrame() {
    FillTxChunk();
    mbu_.uTP = phase::kPayloadSent;
    if (mbu_.bTxReady) mbu_.uDataFrameBits |= bits::kLast;
    out_[pos::kFrameBits] = mbu_.uDataFrameBits;
    PutU16(out_, pos::kDataBytes, mbu_.uIndexForDataWrite);
    SendFrame();
}

void PayloadTransfer::SendFrame() {
    SealTxFrame(out_);
    if (host_.SendTxFrame()) {
        host_.StartAnswerTimer();
        return;
    }
    frameNotSent_ = true;
    EndWithError(err::kWriteFailed);
    frameNotSent_ = false;
}

void PayloadTransfer::FillTxChunk() {
    std::size_t n = mbu_.uIndexForDataWrite - mbu_.uDataOutIndexForComm;
    if (n <= kChunkSize)
        mbu_.bTxReady = true;
    else
        n = kChunkSize;
    std::memset(out_ + kPayloadFirst, 0, kChunkSize);
    std::memcpy(out_ + kPayloadFirst, mbu_.uyDataOut.data() + mbu_.uDataOutIndexForComm, n);
    mbu_.uDataOutIndexForComm = uint16_t(mbu_.uDataOutIndexForComm + n);
}

void PayloadTransfer::ProcessRxTransfer(uint8_t command) {
    if (mbu_.uTP == phase::kPayloadSent && !(mbu_.uDataFrameBits & bits::kLast)) {
        // An intermediate payload frame was acknowledged.
        mbu_.uTP = phase::kNextPayload;
        SendNextChunk();
    } else if (mbu_.uTP == phase::kPayloadSent || mbu_.uTP == phase::kAnswerRequested) {
        AnswerChunkArrived(command);
    }
}

void PayloadTransfer::AnswerChunkArrived(uint8_t command) {
    mbu_.uSumDataByteFromRx = GetU16(in_, pos::kDataBytes);
    host_.ShowAnswerLength(mbu_.uSumDataByteFromRx);
    // The first chunk must start the answer and every further one must be
    // the chunk asked for; anything else, like an announced length beyond
    // the buffer, would leave holes or overrun it, so the answer is refused
    // and the request stays pending.
    const uint16_t expected = mbu_.uTP == phase::kPayloadSent ? 0 : mbu_.uDataInIndexForComm;
    if (mbu_.uSumDataByteFromRx > kPayloadBufferSize || GetU16(in_, pos::kIndex) != expected) {
        RefuseAnswer();
        return;
    }
    TakeRxChunk();
    if (mbu_.bRxReady) {
        host_.ProcessRxCommand(command);
        EndTransfer();
    } else {
        mbu_.uTP = phase::kNextAnswerChunk;
        SendNextChunk();
    }
}

void PayloadTransfer::RefuseAnswer() { EndWithError(err::kAnswerTooLong); }

void PayloadTransfer::EndWithError(uint8_t code) {
    in_[pos::kError] = code;
    host_.ProcessRxFrame();
    mbu_.bWaitForAnswer = false;
    EndTransfer();
}

void PayloadTransfer::TakeRxChunk() {
    mbu_.uDataInIndexForComm = GetU16(in_, pos::kIndex);
    int n = int(mbu_.uSumDataByteFromRx) - int(mbu_.uDataInIndexForComm);
    if (n <= int(kChunkSize))
        mbu_.bRxReady = true;
    else
        n = int(kChunkSize);
    // Never past the buffer, whatever the instrument states.
    n = std::min(n, int(kPayloadBufferSize) - int(mbu_.uDataInIndexForComm));
    if (n <= 0) return;
    std::memcpy(mbu_.uyDataIn.data() + mbu_.uDataInIndexForComm, in_ + kPayloadFirst, std::size_t(n));
    mbu_.uDataInIndexForComm = uint16_t(mbu_.uDataInIndexForComm + n);
}

void PayloadTransfer::EndTransfer() {
    mbu_.uTP = phase::kIdle;
    host_.StopAnswerTimer();
}

void PayloadTransfer::WriteByte(uint8_t value) {
    mbu_.uyDataOut[mbu_.uIndexForDataWrite] = value;
    // Past 16383 bytes every further byte lands in the last slot, which is
    // never sent; the monitor says so.
    const bool full = mbu_.uIndexForDataWrite >= kMaxCommandPayload;
    if (!full) ++mbu_.uIndexForDataWrite;
    if (full != bufferFullShown_) {
        bufferFullShown_ = full;
        host_.ShowTxBufferFull(full);
    }
}

void PayloadTransfer::WriteWord(uint16_t value) {
    WriteByte(uint8_t(value));
    WriteByte(uint8_t(value >> 8));
}
void PayloadTransfer::WriteSmallInt(int16_t value) { WriteWord(uint16_t(value)); }
void PayloadTransfer::WriteCardinal(uint32_t value) {
    for (int i = 0; i < 4; ++i) WriteByte(uint8_t(value >> (8 * i)));
}
void PayloadTransfer::WriteInteger(int32_t value) { WriteCardinal(uint32_t(value)); }
void PayloadTransfer::WriteSingle(float value) { WriteCardinal(std::bit_cast<uint32_t>(value)); }
void PayloadTransfer::WriteBoolean(bool value) { WriteByte(value ? 1 : 0); }

uint8_t PayloadTransfer::ReadByte() {
    if (mbu_.uIndexForDataRead >= mbu_.uSumDataByteFromRx || mbu_.uIndexForDataRead >= kPayloadBufferSize) return 0;
    return mbu_.uyDataIn[mbu_.uIndexForDataRead++];
}
uint16_t PayloadTransfer::ReadWord() {
    const uint8_t lo = ReadByte();
    return uint16_t(lo | (ReadByte() << 8));
}
int16_t PayloadTransfer::ReadSmallInt() { return int16_t(ReadWord()); }
uint32_t PayloadTransfer::ReadCardinal() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(ReadByte()) << (8 * i);
    return v;
}
int32_t PayloadTransfer::ReadInteger() { return int32_t(ReadCardinal()); }
float PayloadTransfer::ReadSingle() { return std::bit_cast<float>(ReadCardinal()); }
bool PayloadTransfer::ReadBoolean() { return ReadByte() != 0; }

}  // namespace velmar
