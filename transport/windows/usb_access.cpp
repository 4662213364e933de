#include "transport/usb_access.h"

namespace velmar {

// Windows opens an HID device for every user; there is no rule to install.
std::vector<std::string> UdevRuleDirs() { return {}; }

UdevRuleFiles FindUdevRule(const std::string&, const std::vector<std::string>&) { return {}; }

std::string UsbAccessDeniedText(const std::string& node, const UdevRuleFiles&) {
    return "Csatlakozik egy Velmar készülék (" + node +
           "), de a Windows nem engedi megnyitni: egy másik program kizárólagosan használja. Zárja be azt "
           "a programot, vagy húzza ki és dugja vissza a készüléket; ez a program magától újra próbálkozik.";
}

}  // namespace velmar
