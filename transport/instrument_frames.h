#pragma once
// What the main window's link and the command link both do with the HID
// library: they know the instrument by its ids, read its answer frames with
// the CRC checked and write their own frames.

#include <cstdint>

#include "transport/hid_library.h"

namespace velmar {

// Whether the handle is the instrument's (its vendor and product ids).
bool IsInstrument(HidLibrary& hid, HidHandle handle);

// Reads the instrument's waiting report into `in` (65 bytes) and checks its
// CRC, a bad one setting the error code. False when none could be read: the
// buffer then still holds the last answer, which is not to be taken again.
[[nodiscard]] bool ReadInstrumentFrame(HidLibrary& hid, HidHandle handle, uint8_t* in);

// Writes the frame in `out` (65 bytes, the report id put first) to the
// instrument. False when the transport could not send it: no answer comes.
[[nodiscard]] bool WriteInstrumentFrame(HidLibrary& hid, uint8_t* out);

}  // namespace velmar
