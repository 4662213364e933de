#pragma once
// A scriptable HID library for tests: reports are fed in by hand, written
// reports are kept, writes can be made to fail, and each handle has the ids
// the test gives it.

#include <array>
#include <deque>
#include <map>
#include <vector>

#include "core/link/frame.h"
#include "transport/hid_library.h"

namespace velmar::test {

using Report = std::array<uint8_t, kReportSize>;

class FakeHid : public HidLibrary {
public:
    static constexpr HidHandle kInstrument = 7;
    static constexpr HidHandle kStranger = 9;

    FakeHid() {
        ids[kInstrument] = {kVendorId, kProductId};
        ids[kStranger] = {0x046D, 0xC52B};
    }

    void Connect() override { ++connects; }
    HidHandle GetHandle(uint16_t v, uint16_t p) override {
        for (auto& [h, id] : ids)
            if (id.first == v && id.second == p && attached) return h;
        return 0;
    }
    uint16_t GetVendorID(HidHandle h) override { return ids.count(h) ? ids[h].first : 0; }
    uint16_t GetProductID(HidHandle h) override { return ids.count(h) ? ids[h].second : 0; }
    void GetVendorName(HidHandle, char* b, int size) override { std::snprintf(b, size_t(size), "Velmar Kft."); }
    void GetProductName(HidHandle, char* b, int size) override { std::snprintf(b, size_t(size), "PX330"); }
    void SetReadNotify(HidHandle, bool) override {}
    bool Read(HidHandle h, uint8_t* buffer) override {
        auto& q = incoming[h];
        if (q.empty()) return false;
        std::copy(q.front().begin(), q.front().end(), buffer);
        q.pop_front();
        return true;
    }
    bool Write(HidHandle, const uint8_t* buffer) override {
        Report r;
        std::copy(buffer, buffer + kReportSize, r.begin());
        written.push_back(r);
        return !writeFails;
    }

    std::map<HidHandle, std::pair<uint16_t, uint16_t>> ids;
    std::map<HidHandle, std::deque<Report>> incoming;
    std::vector<Report> written;  // every write tried, failed ones too
    bool writeFails = false;  // a transport that cannot send
    bool attached = true;
    int connects = 0;
};

// An answer frame as an instrument would send it, sealed with its CRC.
struct Answer {
    uint8_t error = 0;
    uint8_t command = 101;
    uint8_t counter = 0;
    uint16_t device = 330;
    uint16_t firmware = 8390;
    uint32_t serial = 4711;
    uint16_t dataBytes = 0;
    uint16_t index = 0;

    Report Frame() const {
        Report r{};
        PutU16(r.data(), pos::kDevice, device);
        PutU16(r.data(), pos::kVersionMin, firmware);
        r[pos::kError] = error;
        r[pos::kCounter] = counter;
        r[pos::kCommand] = command;
        PutU16(r.data(), pos::kDataBytes, dataBytes);
        PutU16(r.data(), pos::kIndex, index);
        PutU32(r.data(), pos::kId, serial);
        SealTxFrame(r.data());
        return r;
    }
};

}  // namespace velmar::test
