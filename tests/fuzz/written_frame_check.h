#pragma once
// Every report the host writes must be well formed, whatever it was given.
#include <cstdint>

#include "core/link/frame.h"
#include "core/link/transfer.h"
#include "fuzz_support.h"

namespace velmar::fuzz {

inline void CheckWritten(const uint8_t* r) {
    if (r[0] != 0) Fail("report id not 0");
    if (CalcCRC16(r + 1, 62) != GetU16(r, kCrcFirst)) Fail("written frame with a wrong CRC");
    const uint16_t length = GetU16(r, pos::kDataBytes), index = GetU16(r, pos::kIndex);
    if (length > PayloadTransfer::kMaxCommandPayload) Fail("request length beyond the largest payload");
    if (r[pos::kFrameBits] & bits::kAnswerRequest) {
        if (index >= kPayloadBufferSize) Fail("answer chunk asked for beyond the buffer");
    } else if (index % kChunkSize != 0 || (index > 0 && index >= length)) {
        Fail("request chunk outside the request payload");
    }
}

}  // namespace velmar::fuzz
