#pragma once
// Field-by-field access to a payload in either direction. A command's layout
// is written once as a function template over the IO type, so the program
// (reading answers, writing requests through the transfer) and the virtual
// instrument (the other way round, on plain byte vectors) share it.

#include <bit>
#include <cstdint>
#include <vector>

#include "core/link/field_meta.h"
#include "core/link/transfer.h"

namespace velmar {

class TransferReader {
public:
    explicit TransferReader(PayloadTransfer& t) : t_(t) {}
    void U8(uint8_t& v, const FieldMeta& = {}) { v = t_.ReadByte(); }
    void U16(uint16_t& v, const FieldMeta& = {}) { v = t_.ReadWord(); }
    void S16(int16_t& v, const FieldMeta& = {}) { v = t_.ReadSmallInt(); }
    void S32(int32_t& v, const FieldMeta& = {}) { v = t_.ReadInteger(); }
    void U32(uint32_t& v, const FieldMeta& = {}) { v = t_.ReadCardinal(); }
    void F32(float& v, const FieldMeta& = {}) { v = t_.ReadSingle(); }
    void Bool(bool& v, const FieldMeta& = {}) { v = t_.ReadBoolean(); }

private:
    PayloadTransfer& t_;
};

class TransferWriter {
public:
    explicit TransferWriter(PayloadTransfer& t) : t_(t) {}
    void U8(const uint8_t& v, const FieldMeta& = {}) { t_.WriteByte(v); }
    void U16(const uint16_t& v, const FieldMeta& = {}) { t_.WriteWord(v); }
    void S16(const int16_t& v, const FieldMeta& = {}) { t_.WriteSmallInt(v); }
    void S32(const int32_t& v, const FieldMeta& = {}) { t_.WriteInteger(v); }
    void U32(const uint32_t& v, const FieldMeta& = {}) { t_.WriteCardinal(v); }
    void F32(const float& v, const FieldMeta& = {}) { t_.WriteSingle(v); }
    void Bool(const bool& v, const FieldMeta& = {}) { t_.WriteBoolean(v); }

private:
    PayloadTransfer& t_;
};

// An answer's block, read from the payload by the block's layout:
// `ReadAnswer(transfer, DisplayLayout<TransferReader>)`.
template <class Block>
Block ReadAnswer(PayloadTransfer& t, void (*layout)(TransferReader&, Block&)) {
    Block b;
    TransferReader in(t);
    layout(in, b);
    return b;
}

// Little-endian bytes into a vector.
class BytesWriter {
public:
    explicit BytesWriter(std::vector<uint8_t>& out) : out_(out) {}
    void U8(const uint8_t& v, const FieldMeta& = {}) { out_.push_back(v); }
    void U16(const uint16_t& v, const FieldMeta& = {}) { Put(v, 2); }
    void S16(const int16_t& v, const FieldMeta& = {}) { Put(uint16_t(v), 2); }
    void S32(const int32_t& v, const FieldMeta& = {}) { Put(uint32_t(v), 4); }
    void U32(const uint32_t& v, const FieldMeta& = {}) { Put(v, 4); }
    void F32(const float& v, const FieldMeta& = {}) { Put(std::bit_cast<uint32_t>(v), 4); }
    void Bool(const bool& v, const FieldMeta& = {}) { out_.push_back(v ? 1 : 0); }

private:
    void Put(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out_.push_back(uint8_t(v >> (8 * i)));
    }
    std::vector<uint8_t>& out_;
};

// Little-endian bytes out of a vector; past its end every byte reads as 0,
// as the instrument's readers do.
class BytesReader {
public:
    explicit BytesReader(const std::vector<uint8_t>& in) : in_(in) {}
    void U8(uint8_t& v, const FieldMeta& = {}) { v = Byte(); }
    void U16(uint16_t& v, const FieldMeta& = {}) { v = uint16_t(Get(2)); }
    void S16(int16_t& v, const FieldMeta& = {}) { v = int16_t(Get(2)); }
    void S32(int32_t& v, const FieldMeta& = {}) { v = int32_t(Get(4)); }
    void U32(uint32_t& v, const FieldMeta& = {}) { v = Get(4); }
    void F32(float& v, const FieldMeta& = {}) { v = std::bit_cast<float>(Get(4)); }
    void Bool(bool& v, const FieldMeta& = {}) { v = Byte() != 0; }

private:
    uint8_t Byte() { return at_ < in_.size() ? in_[at_++] : 0; }
    uint32_t Get(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= uint32_t(Byte()) << (8 * i);
        return v;
    }
    const std::vector<uint8_t>& in_;
    std::size_t at_ = 0;
};

}  // namespace velmar
