#pragma once
// Frame format shared by host and instrument: one 64-byte frame per HID
// report, carried in bytes 1..64 of a 65-byte buffer whose byte 0 is the
// report id. Byte numbers used here are indexes into such a buffer.

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmar {

constexpr std::size_t kReportSize = 65;  // report id + 64 frame bytes
constexpr std::size_t kFrameSize = 64;
constexpr std::size_t kChunkSize = 46;  // payload bytes per frame
constexpr std::size_t kPayloadFirst = 17;  // first payload byte
constexpr std::size_t kCrcFirst = 63;  // CRC low byte, high byte at 64
constexpr uint32_t kHostId = 0x5E13C7A9;
constexpr uint16_t kVendorId = 0x04D8;
constexpr uint16_t kProductId = 0x003F;

// Byte positions of the header fields.
namespace pos {
constexpr std::size_t kDevice = 1;  // requested / valid device, u16
constexpr std::size_t kVersionMin = 3;  // tx: requested version min; rx: firmware date
constexpr std::size_t kVersionMax = 5;  // tx only, u16
constexpr std::size_t kError = 5;  // rx only, u8
constexpr std::size_t kCounter = 6;  // rx only, u8
constexpr std::size_t kCommand = 7;
constexpr std::size_t kFrameBits = 8;
constexpr std::size_t kDataBytes = 9;  // u16
constexpr std::size_t kIndex = 11;  // u16
constexpr std::size_t kId = 13;  // tx host id / rx serial number, u32
}  // namespace pos

// Frame bits (byte 8 of a transmit frame).
namespace bits {
constexpr uint8_t kFirst = 1;
constexpr uint8_t kLast = 2;
constexpr uint8_t kAnswerRequest = 4;
}  // namespace bits

inline uint16_t GetU16(const uint8_t* buf, std::size_t at) { return uint16_t(buf[at] | (buf[at + 1] << 8)); }
inline uint32_t GetU32(const uint8_t* buf, std::size_t at) {
    return uint32_t(buf[at]) | (uint32_t(buf[at + 1]) << 8) | (uint32_t(buf[at + 2]) << 16) |
           (uint32_t(buf[at + 3]) << 24);
}
inline void PutU16(uint8_t* buf, std::size_t at, uint16_t v) {
    buf[at] = uint8_t(v);
    buf[at + 1] = uint8_t(v >> 8);
}
inline void PutU32(uint8_t* buf, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) buf[at + i] = uint8_t(v >> (8 * i));
}

// CRC-16/MODBUS (reflected 0xA001, start 0xFFFF, no final xor).
uint16_t CalcCRC16(const uint8_t* data, std::size_t length);

// Seals bytes 1..62 of a report buffer with its CRC in bytes 63 (low), 64.
void SealTxFrame(uint8_t* report);

// Overwrites the error code (byte 5) with 1 when the CRC does not match.
// Returns whether it matched.
[[nodiscard]] bool CheckRxCRC(uint8_t* report);

// A calendar day used for firmware version stamps; year 0 is the empty date.
struct VersionDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool IsEmpty() const { return year == 0; }
    friend bool operator==(const VersionDate&, const VersionDate&) = default;
};

VersionDate MakeVersionDate(int year, int month, int day);
uint16_t DateToVersionCode(const VersionDate& date);
VersionDate VersionCodeToDate(uint16_t code);
// "2022.07.21." for 8390 with separator "." (the separator follows the day too).
std::string VersionCodeToText(uint16_t code, const std::string& separator);

// Fills the command-level header of a transmit frame; bytes 8..12 are left
// for the transfer to write per frame. Returns the host id it placed.
uint32_t FillTxHeader(uint8_t* report, uint16_t deviceType, uint8_t command, const VersionDate& minVersion,
                      const VersionDate& maxVersion);

// Error codes an answer can carry, with the texts of the monitor (long) and
// the header (short). Codes without a row have no text.
struct ErrorText {
    uint8_t code;
    const char* longText;
    const char* shortText;
};
namespace err {
constexpr uint8_t kOk = 0, kCrc = 1, kUnknownDevice = 2, kProgramOld = 3, kProgramNew = 4, kUnknownCommand = 5,
                  kTimeout = 6, kRxBufferFull = 7, kAnswerTooLong = 9;
// Set by the host when the transport could not send a frame: no answer
// will come, so the command ends at once instead of by the answer timer.
// An instrument's own answer may carry 10 as well; that one is a code
// without text like 8 or 200, so only the host's is told by its text.
constexpr uint8_t kWriteFailed = 10;
}  // namespace err
// nullptr for codes without text (8..255): the texts of the instrument's
// answers.
const ErrorText* FindErrorText(uint8_t code);
// The host's own text for a frame the transport could not send.
const ErrorText& WriteFailedText();

}  // namespace velmar
