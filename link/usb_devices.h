#pragma once
// The instruments attached by USB as the system lists them, and whether
// this user may open each one.

#include <string>
#include <vector>

namespace velmar {

struct UsbInstrument {
    std::string path;     // the hidraw node
    std::string product;  // as the instrument names itself
    std::string serial;
    bool accessible = false;  // this user may read and write the node
};

std::vector<UsbInstrument> ListUsbInstruments();

// The rule that hands the instrument to the user at the desk, and the one
// command that installs it (from the source folder).
inline constexpr const char* kUdevRuleFile = "70-velmar.rules";
inline constexpr const char* kUdevRuleInstall =
    "sudo cp udev/70-velmar.rules /etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger";

}  // namespace velmar
