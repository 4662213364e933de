#include "transport/instrument_frames.h"

#include "core/link/frame.h"

namespace velmar {

bool IsInstrument(HidLibrary& hid, HidHandle handle) {
    return hid.GetVendorID(handle) == kVendorId && hid.GetProductID(handle) == kProductId;
}

bool ReadInstrumentFrame(HidLibrary& hid, HidHandle handle, uint8_t* in) {
    if (!hid.Read(handle, in)) return false;
    // A bad CRC is told by the error code it sets, which the frame's reader
    // looks at first.
    (void)CheckRxCRC(in);
    return true;
}

bool WriteInstrumentFrame(HidLibrary& hid, uint8_t* out) {
    out[0] = 0;
    return hid.Write(hid.GetHandle(kVendorId, kProductId), out);
}

}  // namespace velmar
