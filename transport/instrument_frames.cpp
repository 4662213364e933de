#include "transport/instrument_frames.h"

#include "core/link/frame.h"
#include "program/log_categories.h"

namespace velmar {

bool IsInstrument(HidLibrary& hid, HidHandle handle) {
    return hid.GetVendorID(handle) == kVendorId && hid.GetProductID(handle) == kProductId;
}

bool ReadInstrumentFrame(HidLibrary& hid, HidHandle handle, uint8_t* in) {
    if (!hid.Read(handle, in)) {
        qCDebug(lcLink, "jelzett válasz nem olvasható");
        return false;
    }
    // A bad CRC is told by the error code it sets, which the frame's reader
    // looks at first.
    (void)CheckRxCRC(in);
    qCDebug(lcLink, "<- parancs %u, hibakód %u, keret %u, index %u", in[pos::kCommand], in[pos::kError],
            in[pos::kFrameBits], unsigned(GetU16(in, pos::kIndex)));
    return true;
}

bool WriteInstrumentFrame(HidLibrary& hid, uint8_t* out) {
    out[0] = 0;
    const bool sent = hid.Write(hid.GetHandle(kVendorId, kProductId), out);
    // A failure is told to the user by the link; here for the trace.
    if (sent)
        qCDebug(lcLink, "-> parancs %u, keret %u, index %u", out[pos::kCommand], out[pos::kFrameBits],
                unsigned(GetU16(out, pos::kIndex)));
    else
        qCDebug(lcLink, "-> parancs %u: a keret nem ment el", out[pos::kCommand]);
    return sent;
}

}  // namespace velmar
