#pragma once

class QLineEdit;

namespace velmar {

// Lets a person type at most maxChars characters into the edit. Unlike a
// maximum length, it never cuts text the program puts there: a value read
// from the instrument is shown whole, never as a plausible shorter one. A
// shown text longer than the limit can still be shortened or replaced.
void LimitTypedLength(QLineEdit* edit, int maxChars);

}  // namespace velmar
