#pragma once
// The option modules by the code an instrument reports for each slot, as a
// person reads them.

#include <cstdint>

namespace velmar {

// The module's name, "Nincs" for an empty slot or an unknown code.
const char* ModuleName(uint8_t code, bool input);

}  // namespace velmar
