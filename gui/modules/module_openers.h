#pragma once

#include <functional>
#include <initializer_list>

#include "core/modules/module_map.h"

class QPushButton;

namespace velmar {

struct InstrumentContext;
class ModuleDialog;
class ModuleTabs;
class TForm_Password;

// The dialog of a module kind; none where the program has no dialog for it.
using ModuleDialogOf = std::function<ModuleDialog*(ModuleKind)>;

// Connects the module buttons of the device pages to the dialogs that exist:
// each sets the output-slot flag as its slot needs and opens its dialog.
void ConnectModuleOpeners(InstrumentContext& ctx, ModuleTabs& tabs, const ModuleDialogOf& dialogOf);
// The passwords buttons of the indicator pages open the passwords dialog.
void ConnectPasswordOpeners(TForm_Password& dialog, std::initializer_list<QPushButton*> buttons);

}  // namespace velmar
