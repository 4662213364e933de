#pragma once
// Text forms of a frame for the protocol monitor.

#include <cstdint>
#include <string>

namespace velmar {

// Bytes 1..64 as hexadecimal, fenced by field: bars between header fields,
// the payload in parentheses, the CRC after them. The answer dump has a bar
// after byte 5 (its error code) where the transmit dump has a blank.
std::string HexDump(const uint8_t* report, bool answer);

// "N / M" where M is the room of the frames a payload of N bytes needs.
std::string PayloadLengthText(unsigned length);

}  // namespace velmar
