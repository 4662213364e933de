#include "gui/views/current_page_sizing.h"

#include <QStackedWidget>
#include <QTabWidget>

namespace velmar {

namespace {
// The page's own policy, kept while it is away from the front.
constexpr const char* kOwnPolicy = "velmarOwnSizePolicy";

void ApplyPolicies(QTabWidget* tabs) {
    QWidget* current = tabs->currentWidget();
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget* page = tabs->widget(i);
        if (!page->property(kOwnPolicy).isValid())
            page->setProperty(kOwnPolicy, QVariant::fromValue(page->sizePolicy()));
        // An ignored page asks for no room at all in the stack.
        const QSizePolicy policy = page == current ? page->property(kOwnPolicy).value<QSizePolicy>()
                                                   : QSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        if (page->sizePolicy() != policy) page->setSizePolicy(policy);
    }
    tabs->updateGeometry();
}
}  // namespace

void SizeToCurrentPage(QTabWidget* tabs) {
    ApplyPolicies(tabs);
    // The stack's own signal: the program changes pages with the tab
    // widget's signals blocked, and those changes count as well.
    if (auto* stack = tabs->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        QObject::connect(stack, &QStackedWidget::currentChanged, tabs, [tabs] { ApplyPolicies(tabs); });
}

}  // namespace velmar
