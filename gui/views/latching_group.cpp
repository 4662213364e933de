#include "gui/views/latching_group.h"

#include <QAbstractButton>

namespace velmar {

void LatchingGroup::add(QAbstractButton* button) {
    button->setCheckable(true);
    buttons_.push_back(button);
    connect(button, &QAbstractButton::toggled, this, [this, button](bool down) {
        if (!down) return;
        for (QAbstractButton* other : buttons_)
            if (other != button) other->setChecked(false);
    });
}

}  // namespace velmar
