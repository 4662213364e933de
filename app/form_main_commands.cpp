// Completed answers handed to their decoders by command code.

#include "app/form_main.h"

namespace velmar {

void TForm1::ProcessRxCommand(uint8_t) {}

}  // namespace velmar
