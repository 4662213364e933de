#include "gui/views/same_width.h"

#include <QWidget>
#include <algorithm>

namespace velmar {

void SameWidth(std::initializer_list<QWidget*> buttons) {
    int widest = 0;
    for (QWidget* b : buttons) widest = std::max(widest, b->sizeHint().width());
    for (QWidget* b : buttons) {
        b->setMinimumWidth(widest);
        // Any room the row has beyond that is shared alike.
        b->setSizePolicy(QSizePolicy::Preferred, b->sizePolicy().verticalPolicy());
    }
}

}  // namespace velmar
