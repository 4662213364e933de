#pragma once

class QLineEdit;

namespace velmar {

// Reads an edit as a whole number for a payload field: text that is not a
// number, or a negative number, counts as 0; the result is raised to min and
// lowered to max, and the edit shows the value that will be sent.
int ParseIntegerEdit(QLineEdit* edit, int min, int max);

}  // namespace velmar
