#include "gui/views/tab_page.h"

#include <QTabWidget>

namespace velmar {

bool TabPage::Counts() const {
    const QSizePolicy policy = sizePolicy();
    if (policy.horizontalPolicy() != QSizePolicy::Ignored || policy.verticalPolicy() != QSizePolicy::Ignored)
        return true;
    // A tab widget's page sits in its stack.
    const QWidget* stack = parentWidget();
    const auto* tabs = stack ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs) return true;
    const int index = tabs->indexOf(this);
    return index < 0 || index == tabs->currentIndex() || tabs->isTabVisible(index);
}

QSize TabPage::sizeHint() const { return Counts() ? QWidget::sizeHint() : QSize(0, 0); }

QSize TabPage::minimumSizeHint() const { return Counts() ? QWidget::minimumSizeHint() : QSize(0, 0); }

// A stack asks every page for its height at a width, even pages away from
// the front, and would wrap every text of this one to answer.
int TabPage::heightForWidth(int width) const { return Counts() ? QWidget::heightForWidth(width) : -1; }

}  // namespace velmar
