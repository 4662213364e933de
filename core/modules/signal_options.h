#pragma once
// Choices the analog input, the analog output and the settings set name
// alike: the standard signals, by the item index that travels, and which
// measured value an output follows.

#include "core/link/field_meta.h"

namespace velmar {

inline constexpr FieldOption kSignalTypeOptions[] = {
    {0, "Áram 4-20 mA"},     {1, "Áram 0-20 mA"},      {2, "Feszültség 0-10 V"},
    {3, "Feszültség 0-5 V"}, {4, "Feszültség 2-10 V"},
};

// The source travels as the item index + 1.
inline constexpr FieldOption kSourceValueOptions[] = {{1, "Mért érték 1"}, {2, "Mért érték 2"}};

}  // namespace velmar
