#include "gui/app/velmar_aid.h"

#include <QEvent>

namespace velmar {

VelmarAidGroup::VelmarAidGroup(QWidget* parent) : QGroupBox(parent) {
    ui.setupUi(this);
    // QLabel has no click signal; watch its presses instead.
    ui.Label_MBU_Commands->installEventFilter(this);
}

bool VelmarAidGroup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui.Label_MBU_Commands && event->type() == QEvent::MouseButtonPress)
        emit commandsLabelClicked();
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace velmar
