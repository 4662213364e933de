#include "core/link/frame.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace velmar {

namespace {
// The CRC of each byte value, so that a frame takes one step a byte instead
// of eight: every frame in and out is checked or sealed.
constexpr std::array<uint16_t, 256> MakeCrcTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned v = 0; v < 256; ++v) {
        uint16_t crc = uint16_t(v);
        for (int b = 0; b < 8; ++b) crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
        table[v] = crc;
    }
    return table;
}
constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();
}  // namespace

uint16_t CalcCRC16(const uint8_t* data, std::size_t length) {
    uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i) crc = uint16_t((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    return crc;
}

void SealTxFrame(uint8_t* report) { PutU16(report, kCrcFirst, CalcCRC16(report + 1, 62)); }

bool CheckRxCRC(uint8_t* report) {
    const bool ok = CalcCRC16(report + 1, 62) == GetU16(report, kCrcFirst);
    if (!ok) report[pos::kError] = err::kCrc;
    return ok;
}

VersionDate MakeVersionDate(int year, int month, int day) { return {year, month, day}; }

uint16_t DateToVersionCode(const VersionDate& d) {
    if (d.IsEmpty()) return 0;
    return uint16_t((d.year - 2000) * 372 + (d.month - 1) * 31 + (d.day - 1));
}

VersionDate VersionCodeToDate(uint16_t code) {
    return {code / 372 + 2000, (code % 372) / 31 + 1, (code % 372) % 31 + 1};
}

std::string VersionCodeToText(uint16_t code, const std::string& separator) {
    const VersionDate d = VersionCodeToDate(code);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", d.year);
    std::string text = buf + separator;
    std::snprintf(buf, sizeof buf, "%02d", d.month);
    text += buf + separator;
    std::snprintf(buf, sizeof buf, "%02d", d.day);
    return text + buf + separator;
}

uint32_t FillTxHeader(uint8_t* report, uint16_t deviceType, uint8_t command, const VersionDate& minVersion,
                      const VersionDate& maxVersion) {
    PutU16(report, pos::kDevice, deviceType);
    PutU16(report, pos::kVersionMin, DateToVersionCode(minVersion));
    PutU16(report, pos::kVersionMax, DateToVersionCode(maxVersion));
    report[pos::kCommand] = command;
    PutU32(report, pos::kId, kHostId);
    std::memset(report + kPayloadFirst, 0, kReportSize - kPayloadFirst);
    return kHostId;
}

namespace {
constexpr std::array<ErrorText, 8> kErrorTexts{{
    {err::kOk, "0", ""},
    {err::kCrc, "1: CRC.", "CRC error!"},
    {err::kUnknownDevice, "2: Unknow device.", "Device ID error!"},
    {err::kProgramOld, "3: This program is old. Use new.", "Old prg.!"},
    {err::kProgramNew, "4: This program is too new. Use earlier.", "New prg.!"},
    {err::kUnknownCommand, "5: Unkown command.", "Command error!"},
    {err::kTimeout, "6: Time out.", "Time out!"},
    {err::kRxBufferFull, "7: Device RX buffer is full.", "Buffer is full!"},
}};
}  // namespace

const ErrorText* FindErrorText(uint8_t code) {
    for (const auto& e : kErrorTexts)
        if (e.code == code) return &e;
    return nullptr;
}

const ErrorText& WriteFailedText() {
    static constexpr ErrorText text{err::kWriteFailed, "10: A keret nem ment el a készülékhez.", "Küldési hiba!"};
    return text;
}

}  // namespace velmar
