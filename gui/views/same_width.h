#pragma once
// Buttons of one row at one width: that of the widest caption.

#include <initializer_list>

class QWidget;

namespace velmar {

void SameWidth(std::initializer_list<QWidget*> buttons);

}  // namespace velmar
