// The start's helpers: layouts held while a window is built, and a tab's
// page measured only where its size can count.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/views/layout_hold.h"
#include "gui/views/tab_page.h"

using namespace velmar;

namespace {

QWidget* PageOfLabels(QWidget* page, int count) {
    auto* layout = new QVBoxLayout(page);
    for (int i = 0; i < count; ++i) layout->addWidget(new QLabel(QString("Egy elég hosszú felirat %1").arg(i), page));
    return page;
}

// A tab widget shows its first page at once, which would lay it out there
// and then; under a hold it is laid out when the window is shown, to the
// same geometry as without the hold.
TEST(LayoutHold, PagesShownWhileBuildingAreLaidOutWhenTheWindowIsShown) {
    auto build = [](QWidget& window) {
        auto* tabs = new QTabWidget(&window);
        (new QVBoxLayout(&window))->addWidget(tabs);
        tabs->addTab(PageOfLabels(new QWidget, 5), "Első");
        tabs->addTab(PageOfLabels(new QWidget, 3), "Második");
        return tabs;
    };
    QWidget plain;
    QTabWidget* plainTabs = build(plain);

    QWidget held;
    QTabWidget* heldTabs = nullptr;
    {
        const LayoutHold hold;
        heldTabs = build(held);
        EXPECT_FALSE(heldTabs->widget(0)->layout()->isEnabled());
        // Not worked out: the labels have no place yet.
        EXPECT_EQ(heldTabs->widget(0)->findChild<QLabel*>()->geometry().topLeft(), QPoint(0, 0));
    }
    EXPECT_TRUE(heldTabs->widget(0)->layout()->isEnabled());

    plain.show();
    held.show();
    EXPECT_EQ(held.size(), plain.size());
    const QList<QLabel*> a = plainTabs->widget(0)->findChildren<QLabel*>();
    const QList<QLabel*> b = heldTabs->widget(0)->findChildren<QLabel*>();
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) EXPECT_EQ(b[i]->geometry(), a[i]->geometry()) << i;
    // A page shown later is laid out as well.
    heldTabs->setCurrentIndex(1);
    plainTabs->setCurrentIndex(1);
    EXPECT_EQ(heldTabs->widget(1)->findChild<QLabel*>()->geometry(),
              plainTabs->widget(1)->findChild<QLabel*>()->geometry());
}

// A hidden tab's page away from the front asks for no room (its size would
// be thrown away); shown or in front it asks for what its content needs.
TEST(TabPage, MeasuredOnlyWhereItsSizeCounts) {
    QTabWidget tabs;
    tabs.addTab(PageOfLabels(new QWidget, 1), "Elöl");
    auto* page = new TabPage;
    PageOfLabels(page, 20);
    tabs.addTab(page, "Rejtett");
    const QSize content = page->QWidget::sizeHint();
    const int index = tabs.indexOf(page);
    page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    struct Case {
        bool tabShown;
        bool inFront;
        bool counts;
    };
    for (const Case c : {Case{false, false, false}, Case{true, false, true}, Case{false, true, true}}) {
        tabs.setTabVisible(index, c.tabShown);
        tabs.setCurrentIndex(c.inFront ? index : 0);
        EXPECT_EQ(page->sizeHint(), c.counts ? content : QSize(0, 0)) << c.tabShown << c.inFront;
        EXPECT_EQ(page->minimumSizeHint().isNull(), !c.counts) << c.tabShown << c.inFront;
    }
    // Its own policy taking room from behind: always measured.
    tabs.setTabVisible(index, false);
    tabs.setCurrentIndex(0);
    page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    EXPECT_EQ(page->sizeHint(), content);
}

}  // namespace
