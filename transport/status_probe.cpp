#include "transport/status_probe.h"

#include <cstring>
#include <vector>

#include "core/device/status_codec.h"
#include "core/link/command_table.h"
#include "core/link/payload_io.h"

namespace velmar {

// With the payload the tool sends too (nothing forced), and device type 0.
std::array<uint8_t, kReportSize> StatusProbeRequest() {
    tTX tx;
    tMSys sys;
    std::vector<uint8_t> payload;
    BytesWriter out(payload);
    StatusRequestLayout(out, tx, sys);
    std::array<uint8_t, kReportSize> r{};
    FillTxHeader(r.data(), 0, 101, MinimumFirmwareFor(0), VersionDate{});
    r[pos::kFrameBits] = bits::kFirst | bits::kLast;
    PutU16(r.data(), pos::kDataBytes, uint16_t(payload.size()));
    PutU16(r.data(), pos::kIndex, 0);
    std::memcpy(r.data() + kPayloadFirst, payload.data(), payload.size());
    SealTxFrame(r.data());
    return r;
}

NodeIdentity IdentityOfAnswer(const uint8_t* report) {
    std::array<uint8_t, kReportSize> copy;
    std::memcpy(copy.data(), report, kReportSize);
    if (!CheckRxCRC(copy.data())) return {};
    return {true, GetU16(copy.data(), pos::kDevice), GetU32(copy.data(), pos::kId)};
}

}  // namespace velmar
