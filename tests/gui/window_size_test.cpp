// The main window's size: in normal mode no instrument and no set of
// modules asks for more than a 1366 x 768 laptop leaves, whatever the hidden
// pages hold; each instrument keeps one size whichever of its pages is in
// front; in service mode it is 800 high where the screen has room for it,
// and every service page fits in 800.
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "gui/device/header_page.h"
#include "gui/views/about_page.h"

#include "core/device/device_types.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

constexpr int kScreenWidth = 1366, kNormalHeight = 720, kServiceHeight = 800;
constexpr uint16_t kTypes[] = {210, 310, 330, 350, 370, 510, 530, 544, 546, 580};
// Every module each slot can report.
constexpr uint8_t kInputs[] = {0, 1, 2, 6, 7, 8}, kOutputs1[] = {0, 3, 4, 5}, kOutputs2[] = {0, 3, 5};

using WindowSize = WindowFixture;

TEST_F(WindowSize, NormalModeFitsALaptopForEveryInstrumentAndModuleSet) {
    Create();
    for (uint16_t type : kTypes)
        for (uint8_t in : kInputs)
            for (uint8_t out1 : kOutputs1)
                for (uint8_t out2 : kOutputs2) {
                    w->recRX.uDevice = type;
                    w->recRX.uPXOptIn = in;
                    w->recRX.uPXOptOutPrimer = out1;
                    w->recRX.uPXOptOutSecondary = out2;
                    w->SelectDevicePage(type);
                    // The content as it asks for room, also where it scrolls.
                    const QSize least(
                        std::max(w->header->minimumSizeHint().width(), w->PageControl4->minimumSizeHint().width()),
                        w->header->minimumSizeHint().height() + w->PageControl4->minimumSizeHint().height());
                    EXPECT_LE(least.width(), kScreenWidth) << type << " " << int(in) << int(out1) << int(out2);
                    EXPECT_LE(least.height(), kNormalHeight) << type << " " << int(in) << int(out1) << int(out2);
                }
}

// A page with a few buttons gets a window of a few buttons' height, not one
// as high as the largest page of another instrument; the window keeps that
// size when "A programról" comes to the front and back, and shows the
// whole of both pages without scrolling.
TEST_F(WindowSize, NormalModeKeepsOneSizePerInstrument) {
    Create();
    w->show();
    const struct {
        uint16_t type;
        int atMost;
    } cases[] = {{330, 680}, {350, 680}, {310, 680}, {580, 680}, {530, 720}, {210, 720}};
    auto* scroll = w->findChild<QScrollArea*>("ScrollArea_Pages");
    for (const auto& c : cases) {
        w->recRX.uDevice = c.type;
        w->recRX.uPXOptIn = 1;
        w->recRX.uPXOptOutPrimer = 5;
        w->recRX.uPXOptOutSecondary = 3;
        w->SelectDevicePage(c.type);
        QWidget* page = w->devicePages[std::size_t(FindDeviceType(c.type)->page)];
        EXPECT_EQ(w->PageControl4->currentWidget(), page);
        const QSize steady = w->size();
        EXPECT_LE(steady.height(), c.atMost) << c.type;
        for (QWidget* front : {static_cast<QWidget*>(w->aboutPage), page}) {
            front == page ? w->SelectDevicePage(c.type) : w->ShowNoCommPage();
            QApplication::processEvents();
            EXPECT_EQ(w->size(), steady) << c.type;
            if (steady.height() < w->screen()->availableGeometry().height())
                EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0)
                    << c.type << " " << front->objectName().toStdString();
        }
    }
}

TEST_F(WindowSize, ServiceModeIs800HighAndEveryServicePageFits) {
    for (uint16_t type : {330, 530, 210, 310}) {
        Create({"/QZKTRM"});
        w->recRX.uDevice = type;
        w->recRX.uPXOptIn = 1;
        w->recRX.uPXOptOutPrimer = 5;
        w->recRX.uPXOptOutSecondary = 3;
        w->SelectDevicePage(type);
        // 800 high, or as high as the screen leaves.
        EXPECT_EQ(w->height(), std::min(kServiceHeight, w->screen()->availableGeometry().height())) << type;
        EXPECT_LE(w->width(), kScreenWidth) << type;
        w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
        // Each service page, and each page of the page controls within it.
        for (int i = 0; i < w->PageControl1->count(); ++i) {
            w->PageControl1->setCurrentIndex(i);
            QWidget* page = w->PageControl1->currentWidget();
            auto inner = page->findChildren<QTabWidget*>();
            inner.prepend(nullptr);  // the page as it opens
            for (QTabWidget* tabs : inner)
                for (int k = 0; k < (tabs ? tabs->count() : 1); ++k) {
                    if (tabs) tabs->setCurrentIndex(k);
                    const QSize least = w->findChild<QScrollArea*>("ScrollArea_Pages")->widget()->minimumSizeHint() +
                                        QSize(0, w->header->minimumSizeHint().height());
                    EXPECT_LE(least.height(), kServiceHeight)
                        << type << " " << page->objectName().toStdString() << " " << k;
                    EXPECT_LE(least.width(), kScreenWidth)
                        << type << " " << page->objectName().toStdString() << " " << k;
                }
        }
    }
}

}  // namespace
}  // namespace velmar
