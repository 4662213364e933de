#include "gui/views/layout_hold.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace velmar {

LayoutHold::LayoutHold() { QCoreApplication::instance()->installEventFilter(this); }

LayoutHold::~LayoutHold() {
    QCoreApplication::instance()->removeEventFilter(this);
    for (const QPointer<QLayout>& layout : held_)
        if (layout) layout->setEnabled(true);
}

bool LayoutHold::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
        QLayout* layout = static_cast<QWidget*>(watched)->layout();
        if (layout && layout->isEnabled()) {
            layout->setEnabled(false);
            held_.append(layout);
        }
    }
    return false;
}

}  // namespace velmar
