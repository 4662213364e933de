#include "transport/usb_devices.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include "core/link/frame.h"

namespace velmar {

namespace {
std::string Narrow(const wchar_t* w) {
    std::string s;
    for (; w && *w; ++w) s.push_back(*w < 128 ? char(*w) : '?');
    return s;
}
}  // namespace

std::vector<UsbInstrument> ListUsbInstruments() {
    std::vector<UsbInstrument> out;
    if (hid_init() != 0) return out;
    hid_device_info* list = hid_enumerate(kVendorId, kProductId);
    for (hid_device_info* d = list; d; d = d->next)
        out.push_back({d->path, Narrow(d->product_string), Narrow(d->serial_number),
                       access(d->path, R_OK | W_OK) == 0});
    hid_free_enumeration(list);
    return out;
}

}  // namespace velmar
