#include "transport/usb_access.h"

namespace velmar {

std::string UsbInUseText(const std::string& node) {
    return "A Velmar készüléket (" + node +
           ") egy másik Velmar program használja; ha az befejezi, ez a program magától megnyitja.";
}

std::string UsbUnavailableText(const std::string& reason) {
    return "Az USB-s készülékek nem érhetők el: a rendszer HID-kezelése nem indult el (" + reason +
           "). A virtuális készülék és a hálózati kapcsolat működik.";
}

}  // namespace velmar
