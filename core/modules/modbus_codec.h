#pragma once
// The Modbus module's serial settings block (commands 214 to 216), shared by
// the program and the virtual instrument. There is one Modbus port, whatever
// role the module has.

#include <cstdint>

#include "core/link/field_meta.h"

namespace velmar {

constexpr uint8_t kReadModbus = 214, kWriteModbus = 215, kModbusDefaults = 216;
constexpr std::size_t kModbusBlockSize = 6;
constexpr int kModbusBaudRates = 16;  // 300 ... 921600 bit/s, by index
constexpr int kModbusAddresses = 248;  // 0 ... 247

// Protocol, parity and baud rate travel as the item index.
inline constexpr FieldOption kModbusProtocolOptions[] = {{0, "RTU"}, {1, "ASCII"}};
inline constexpr FieldOption kModbusParityOptions[] = {
    {0, "Nincs (None)"}, {1, "Páros (Even)"}, {2, "Páratlan (Odd)"}, {3, "Mindig 1 (Mark)"}};
inline constexpr FieldOption kModbusBaudRateOptions[] = {
    {0, "300 bit/sec."},     {1, "600 bit/sec."},     {2, "1200 bit/sec."},    {3, "2400 bit/sec."},
    {4, "4800 bit/sec."},    {5, "9600 bit/sec."},    {6, "14400 bit/sec."},   {7, "19200 bit/sec."},
    {8, "38400 bit/sec."},   {9, "57600 bit/sec."},   {10, "76800 bit/sec."},  {11, "115200 bit/sec."},
    {12, "230400 bit/sec."}, {13, "460800 bit/sec."}, {14, "576000 bit/sec."}, {15, "921600 bit/sec."},
};
static_assert(std::size(kModbusBaudRateOptions) == kModbusBaudRates);

inline constexpr FieldMeta kModbusTimeOut = field::Code("timeOut", "Időtúllépés hiba", 0, 65535).In("s");

struct ModbusBlock {
    uint8_t protocol = 0;  // 0 RTU, 1 ASCII
    uint8_t parity = 1;  // 0 none, 1 even, 2 odd, 3 mark
    uint8_t baudRate = 5;  // index: 5 is 9600 bit/s
    uint8_t address = 1;
    uint16_t timeOut = 10;  // seconds

    bool operator==(const ModbusBlock&) const = default;
};

template <class IO>
void ModbusLayout(IO& io, ModbusBlock& b) {
    using namespace field;
    io.U8(b.protocol, Choice("protocol", "Protokoll", 0, 1, kModbusProtocolOptions));
    io.U8(b.parity, Choice("parity", "Paritás bit", 0, 3, kModbusParityOptions));
    io.U8(b.baudRate, Choice("baudRate", "Adatátviteli sebesség", 0, kModbusBaudRates - 1, kModbusBaudRateOptions));
    io.U8(b.address, Code("address", "Készülékcím", 0, kModbusAddresses - 1));
    io.U16(b.timeOut, kModbusTimeOut);
}

}  // namespace velmar
