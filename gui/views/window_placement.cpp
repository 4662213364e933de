#include "gui/views/window_placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "core/device/number_mask.h"

namespace velmar {

namespace {
// The frame the window manager puts around a window. Before its first show
// a window has none to ask, but will get one like the reference's.
QMargins FrameOf(const QWidget* window, const QWidget* reference) {
    const auto margins = [](const QWidget* w) {
        const QRect f = w->frameGeometry(), g = w->geometry();
        return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    };
    if (window->isVisible() || window->testAttribute(Qt::WA_WState_Created)) {
        const QMargins own = margins(window);
        if (!own.isNull()) return own;
    }
    return reference && reference->isVisible() ? margins(reference->window()) : QMargins();
}

QSize LeastSize(const QWidget* window) { return window->minimumSizeHint().expandedTo(window->minimumSize()); }

// A window whose content cannot shrink to the screen gets its content in a
// scroll area, once; on a screen large enough nothing changes. Returns the
// content, or nullptr where the window has no layout to move.
QWidget* ScrollableContent(QWidget* window) {
    constexpr const char* kContent = "velmarScrolledContent";
    if (auto* content = window->property(kContent).value<QWidget*>()) return content;
    auto* scroll = new QScrollArea;
    scroll->setObjectName("ScrollArea_Window");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // Tab goes to the controls, and the area scrolls to the one in focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    QWidget* content = nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        content = main->takeCentralWidget();
        if (!content) return delete scroll, nullptr;
        scroll->setWidget(content);
        main->setCentralWidget(scroll);
    } else {
        QLayout* layout = window->layout();
        if (!layout) return delete scroll, nullptr;
        content = new QWidget;
        content->setLayout(layout);  // takes the layout, and the controls with it
        scroll->setWidget(content);
        auto* outer = new QVBoxLayout(window);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->addWidget(scroll);
    }
    window->setProperty(kContent, QVariant::fromValue(content));
    // The window's minimum is now the scroll area's, not the content's.
    window->layout()->activate();
    return content;
}
}  // namespace

QRect AvailableAreaFor(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void KeepInsideAvailableArea(QWidget* window, const QWidget* reference, bool sizeToContent) {
    const QRect area = AvailableAreaFor(reference ? reference : window);
    if (area.isEmpty()) return;
    const QMargins frame = FrameOf(window, reference);
    const QSize room(area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom());
    const QSize least = LeastSize(window);
    if (least.width() > room.width() || least.height() > room.height() ||
        window->property("velmarScrolledContent").isValid()) {
        QWidget* content = ScrollableContent(window);
        if (content && sizeToContent) {
            // As large as the content asks, with room for the scroll bars,
            // where the screen has it.
            const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            const QSize wanted = content->sizeHint().expandedTo(LeastSize(content)) + QSize(bar, bar);
            window->resize(wanted.boundedTo(room));
        }
    }
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(std::min(window->width(), room.width()), std::min(window->height(), room.height()));
    // The frame's corner, where a window's position is counted from.
    const QSize outer = window->size().grownBy(frame);
    const QPoint at = window->frameGeometry().topLeft();
    const int left = std::max(area.left(), std::min(at.x(), area.left() + area.width() - outer.width()));
    const int top = std::max(area.top(), std::min(at.y(), area.top() + area.height() - outer.height()));
    if (QPoint(left, top) != at) window->move(left, top);
}

void PositionFormToCenterOfMainForm(QWidget* dialog, const QWidget* mainWindow) {
    // Its size from its layout before the first show, or it would be
    // centred by a size it never has.
    if (!dialog->testAttribute(Qt::WA_Resized)) dialog->adjustSize();
    const QRect m = mainWindow->frameGeometry();
    const int top = m.top() + int(RoundHalfEven(m.height() / 2.0)) - int(RoundHalfEven(dialog->height() / 2.0));
    const int left = m.left() + int(RoundHalfEven(m.width() / 2.0)) - int(RoundHalfEven(dialog->width() / 2.0));
    dialog->move(left, top);
    // Centred on a window near an edge, a dialog would reach past the
    // screen: its title bar above the top, where it cannot be taken hold of.
    KeepInsideAvailableArea(dialog, mainWindow);
}

}  // namespace velmar
