#include "gui/app/velmar_aid.h"

#include <QEvent>
#include <QKeyEvent>

namespace velmar {

VelmarAidGroup::VelmarAidGroup(QWidget* parent) : QGroupBox(parent) {
    ui.setupUi(this);
    // QLabel has no click signal; watch its presses instead. The keyboard
    // reaches it as it reaches a button, and a dotted frame shows it.
    ui.Label_MBU_Commands->installEventFilter(this);
    ui.Label_MBU_Commands->setFocusPolicy(Qt::StrongFocus);
    ui.Label_MBU_Commands->setStyleSheet("QLabel:focus { border: 1px dotted palette(highlight); }");
}

bool VelmarAidGroup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui.Label_MBU_Commands) {
        if (event->type() == QEvent::MouseButtonPress) emit commandsLabelClicked();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit commandsLabelClicked();
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace velmar
