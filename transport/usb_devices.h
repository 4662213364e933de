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

}  // namespace velmar
