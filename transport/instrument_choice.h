#pragma once
// Which of several attached instruments a program talks to: the first one
// found, the one on a given node, the one with a given serial number, or
// each in turn (the command-line tool only).

#include <cstdint>
#include <string>

namespace velmar {

struct InstrumentChoice {
    enum class Kind { kFirst, kNode, kSerial, kAll };
    Kind kind = Kind::kFirst;
    std::string node;  // kNode: e.g. /dev/hidraw3
    uint32_t serial = 0;  // kSerial: as the instrument reports it in its frames
};

// Reads what follows "usb:" in --device=usb:…: a node (an absolute path),
// a serial number (digits), "all", or nothing for the first found. Returns
// the error text, empty when the text is good.
[[nodiscard]] std::string ParseInstrumentChoice(const std::string& text, InstrumentChoice* out);

}  // namespace velmar
