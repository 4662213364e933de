// The keyboard alone: Tab reaches every button a mouse can press, in
// reading order, each answers Space or Enter, a radio group is entered at
// its chosen item, and Esc closes a dialog.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <gtest/gtest.h>

#include "gui/app/form_main.h"
#include "gui/device/errors_dialog.h"
#include "gui/modules/analog_input_dialog.h"
#include "gui/trend/trend_window.h"
#include "gui/views/radio_group.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

bool Usable(const QWidget* w) { return w->isVisible() && w->isEnabled(); }

// The widgets Tab visits in a window, from its first one, once round.
QList<QWidget*> TabRound(QWidget* window) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    if (QWidget* f = QApplication::focusWidget()) f->clearFocus();
    for (QWidget* c = window->nextInFocusChain(); c != window && !QApplication::focusWidget();
         c = c->nextInFocusChain())
        if (c->focusPolicy() & Qt::TabFocus && Usable(c) && !c->focusProxy()) c->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited;
    for (QWidget* now = QApplication::focusWidget(); now && !visited.contains(now); now = QApplication::focusWidget()) {
        visited << now;
        QTest::keyClick(now, Qt::Key_Tab);
    }
    return visited;
}

// Every push button and check box a mouse could press in the window; of a
// radio group, the item Tab must land on.
QList<QAbstractButton*> Pressable(QWidget* window) {
    QList<QAbstractButton*> all;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->window() != window || !Usable(b)) continue;
        if (auto* radio = qobject_cast<QRadioButton*>(b)) {
            auto* group = qobject_cast<RadioGroup*>(radio->parentWidget());
            const bool entry = group ? group->Item(std::max(group->ItemIndex(), 0)) == radio : true;
            if (!entry) continue;
        }
        all << b;
    }
    return all;
}

std::string Names(const QList<QWidget*>& widgets) {
    std::string s;
    for (const QWidget* w : widgets)
        s += (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString()) + " ";
    return s;
}

// Reading order within each group box: row by row, left to right.
void ExpectReadingOrder(const QList<QWidget*>& visited, QWidget* window) {
    QHash<QWidget*, QPoint> last;
    for (QWidget* v : visited) {
        QWidget* box = v->parentWidget();
        while (box && box != window && !qobject_cast<QGroupBox*>(box)) box = box->parentWidget();
        const QPoint at = v->mapTo(window, QPoint(0, 0));
        if (last.contains(box)) {
            const QPoint before = last[box];
            const bool sameRow = std::abs(at.y() - before.y()) < v->height() / 2;
            EXPECT_TRUE(sameRow ? at.x() > before.x() : at.y() > before.y())
                << v->objectName().toStdString() << " comes after a control below or right of it";
        }
        last[box] = at;
    }
}

void ExpectEveryButtonReached(QWidget* window) {
    const QList<QWidget*> visited = TabRound(window);
    for (QAbstractButton* b : Pressable(window))
        EXPECT_TRUE(visited.contains(b)) << b->objectName().toStdString() << " " << b->text().toStdString()
                                         << " never reached; visited: " << Names(visited);
    ExpectReadingOrder(visited, window);
}

struct KeyboardTest : ::testing::Test {
    InstrumentProgram program{sim::InstrumentConfig{}};
    TForm1* w = program.w;

    void SetUp() override {
        w->show();
        WAIT_FOR(w->recRX.uDevice == 330 && w->findChild<QPushButton*>("Button_PX330_PXAI")->isVisible(), 8000);
    }
};

TEST_F(KeyboardTest, MainWindowTabsThroughEveryButtonAndEachAnswersSpaceOrEnter) {
    ExpectEveryButtonReached(w);
    auto* trend = w->findChild<QPushButton*>("Button_Trend");
    trend->setFocus(Qt::TabFocusReason);
    QTest::keyClick(trend, Qt::Key_Space);
    EXPECT_TRUE(w->Form_Trend->isVisible());
    w->Form_Trend->close();
    auto* details = w->findChild<QPushButton*>("Button_ErrorDetails");
    w->activateWindow();
    details->setFocus(Qt::TabFocusReason);
    QTest::keyClick(details, Qt::Key_Return);
    WAIT_FOR(w->Form_Errors->isVisible(), 1000);
    QTest::keyClick(w->Form_Errors, Qt::Key_Escape);
    EXPECT_FALSE(w->Form_Errors->isVisible()) << "Esc closes the dialog";
}

TEST_F(KeyboardTest, ModuleDialogTabsThroughEveryButtonAndEntersRadioGroupsAtTheChosenItem) {
    TForm_PXAI* d = w->Form_PXAI;
    d->Prepare("PXAI");
    d->show();
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    d->RadioGroup_uDecimalPointSettings->SetItemIndex(2);
    ExpectEveryButtonReached(d);
    // Tab lands on "2", so an arrow key moves from the decimals in force.
    const QList<QWidget*> visited = TabRound(d);
    EXPECT_TRUE(visited.contains(d->RadioGroup_uDecimalPointSettings->Item(2)));
    EXPECT_FALSE(visited.contains(d->RadioGroup_uDecimalPointSettings->Item(0)));
    // Enter presses a request button, though none of the dialog's is its default.
    d->SpeedButton_ReadFromDevice->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d->SpeedButton_ReadFromDevice, Qt::Key_Return);
    WAIT_FOR(d->SpeedButton_ReadFromDevice->isChecked(), 1000);
    WAIT_FOR(!d->SpeedButton_ReadFromDevice->isChecked(), 3000);
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible()) << "Esc closes the dialog";
}

// The service mode's command history, cleared by a click, is cleared by
// Space as well once Tab has reached it.
TEST_F(WindowFixture, ServiceCommandHistoryAnswersTheKeyboard) {
    Create({"/QZKTRM"});
    w->show();
    w->recMBU.uCommandLines.fill(101);
    auto* history = w->findChild<QLabel*>("Label_MBU_Commands");
    ASSERT_TRUE(history->focusPolicy() & Qt::TabFocus);
    history->setFocus(Qt::TabFocusReason);
    QTest::keyClick(history, Qt::Key_Space);
    EXPECT_EQ(w->recMBU.uCommandLines[0], 0);
}

// Alt with a letter minimises and restores the program for a redraw. A
// window manager may carry out the minimise after the restore; the program
// still ends restored, as it was, and a minimise of the user's own later on
// is left alone.
TEST_F(KeyboardTest, AltRedrawAlwaysEndsRestored) {
    for (bool maximized : {false, true}) {
        maximized ? w->showMaximized() : w->showNormal();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == w ? focus : w, Qt::Key_F, Qt::AltModifier);
        EXPECT_FALSE(w->isMinimized());
        w->setWindowState(Qt::WindowMinimized);  // the window manager, late
        WAIT_FOR(!w->isMinimized(), 1000);
        EXPECT_EQ(w->isMaximized(), maximized);
        QTest::qWait(TForm1::kRefreshSettleMs + 200);
        EXPECT_FALSE(w->isMinimized());
    }
    w->showMinimized();
    QTest::qWait(100);
    EXPECT_TRUE(w->isMinimized()) << "the user's own minimise stays";
}

}  // namespace
}  // namespace velmar
