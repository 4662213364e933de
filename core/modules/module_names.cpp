#include "core/modules/module_names.h"

namespace velmar {

const char* ModuleName(uint8_t code, bool input) {
    struct Name {
        uint8_t code;
        bool input;
        const char* name;
    };
    static constexpr Name kNames[] = {
        {1, true, "PXAI (analóg U és I)"}, {2, true, "PXRT (hőmérséklet)"}, {6, true, "PXMB (RS-485)"},
        {7, true, "Timer (Stopper)"},      {8, true, "PXMBIN (bemenet)"},   {3, false, "PXAO (analóg U és I)"},
        {4, false, "PXMB (RS-485)"},       {5, false, "PXRL (1 relé)"},
    };
    for (const Name& n : kNames)
        if (n.code == code && n.input == input) return n.name;
    return "Nincs";
}

}  // namespace velmar
