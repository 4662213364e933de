#pragma once

namespace velmar {

class TForm1;

// Connects the module buttons of the device pages to the dialogs that exist:
// each sets the output-slot flag as its slot needs and opens its dialog.
void ConnectModuleOpeners(TForm1& main);
// The passwords buttons of the indicator pages open the passwords dialog.
void ConnectPasswordOpeners(TForm1& main);

}  // namespace velmar
