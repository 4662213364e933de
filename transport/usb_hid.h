#pragma once
// The USB bus of this system: hidraw and udev on Linux, hidapi's backend
// and device notifications on Windows. Both are UsbHid, a BusHid.

#ifdef _WIN32
#include "transport/windows/usb_hid.h"
#else
#include "transport/linux/usb_hid.h"
#endif
