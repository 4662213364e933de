#pragma once

#include "core/link/field_meta.h"

class QLineEdit;

namespace velmar {

// Reads an edit as a whole number for a payload field: text that is not a
// number, or a negative number, counts as 0; the result is raised to min and
// lowered to max, and the edit shows the value that will be sent.
int ParseIntegerEdit(QLineEdit* edit, int min, int max);
// Within the limits of the field's description, which the settings files
// and the command line take too.
inline int ParseIntegerEdit(QLineEdit* edit, const FieldMeta& field) {
    return ParseIntegerEdit(edit, int(field.min), int(field.max));
}

}  // namespace velmar
