#pragma once
// The Modbus module's serial settings block (commands 214 to 216), shared by
// the program and the virtual instrument. There is one Modbus port, whatever
// role the module has.

#include <cstdint>

#include "link/field_meta.h"

namespace velmar {

constexpr uint8_t kReadModbus = 214, kWriteModbus = 215, kModbusDefaults = 216;
constexpr std::size_t kModbusBlockSize = 6;
constexpr int kModbusBaudRates = 16;     // 300 ... 921600 bit/s, by index
constexpr int kModbusAddresses = 248;    // 0 ... 247

struct ModbusBlock {
    uint8_t protocol = 0;   // 0 RTU, 1 ASCII
    uint8_t parity = 1;     // 0 none, 1 even, 2 odd, 3 mark
    uint8_t baudRate = 5;   // index: 5 is 9600 bit/s
    uint8_t address = 1;
    uint16_t timeOut = 10;  // seconds

    bool operator==(const ModbusBlock&) const = default;
};

template <class IO>
void ModbusLayout(IO& io, ModbusBlock& b) {
    using namespace field;
    io.U8(b.protocol, Code("protocol", "Protokoll", 0, 1));
    io.U8(b.parity, Code("parity", "Paritás bit", 0, 3));
    io.U8(b.baudRate, Code("baudRate", "Adatátviteli sebesség", 0, kModbusBaudRates - 1));
    io.U8(b.address, Code("address", "Készülékcím", 0, kModbusAddresses - 1));
    io.U16(b.timeOut, Code("timeOut", "Időtúllépés hiba (másodperc)", 0, 65535));
}

}  // namespace velmar
