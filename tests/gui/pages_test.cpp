// The designed pages: the controls the main window and the link look up by
// name exist, have the expected kind and start with the expected content.
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/app/velmar_aid.h"
#include "gui/app/version_refused_page.h"
#include "gui/device/header_page.h"
#include "gui/link/monitor_page.h"
#include "gui/views/about_page.h"

namespace velmar {
namespace {

struct Pages {
    HeaderPage header;
    MonitorPage monitor;
    AboutPage about;
    VersionRefusedPage tooOld{false};
    VersionRefusedPage tooNew{true};
    VelmarAidGroup aid;
};

enum class Page { Header, Monitor, About, TooOld, TooNew, Aid };

QWidget* pageOf(Pages& p, Page which) {
    switch (which) {
    case Page::Header: return &p.header;
    case Page::Monitor: return &p.monitor;
    case Page::About: return &p.about;
    case Page::TooOld: return &p.tooOld;
    case Page::TooNew: return &p.tooNew;
    case Page::Aid: return &p.aid;
    }
    return nullptr;
}

// The caption of whatever kind of control it is.
QString captionOf(const QWidget* w) {
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    return w->property("text").toString();
}

struct Control {
    Page page;
    const char* name;
    const char* className;
    const char* caption;  // nullptr: not checked
    bool hidden = false;
};

const Control kControls[] = {
    {Page::Header, "PageControl5", "QTabWidget", nullptr},
    {Page::Header, "Image1", "QLabel", ""},
    {Page::Header, "Image2", "QLabel", ""},
    {Page::Header, "Shape_USBConnected", "velmar::Lamp", nullptr},
    {Page::Header, "SpeedButton_Reset", "QPushButton", "Újraindítás"},
    {Page::Header, "GroupBox4", "QGroupBox", "KÉSZÜLÉK ALAPADATOK"},
    {Page::Header, "Label_KeszulekTipus", "QLabel", "Ismeretlen készülék"},
    {Page::Header, "Label_KeszulekGyariSzam", "QLabel", "xxxxxx/xx.xx"},
    {Page::Header, "Label_Firmware", "QLabel", "Ismeretlen firmware"},
    {Page::Header, "Label_uSecondsOfOperation", "QLabel", ""},
    {Page::Header, "GroupBox16", "QGroupBox", "USB"},
    {Page::Header, "Label_FPS2", "QLabel", "0 FpS"},
    {Page::Header, "Label_MBURxError2", "QLabel", "Error", true},
    {Page::Header, "GroupBox46", "QGroupBox", "HIBAJELZÉSEK"},
    {Page::Header, "Label_uGlobalErrorCode", "QLabel", "0"},
    {Page::Header, "Button_ErrorDetails", "QPushButton", "Részletek"},
    {Page::Header, "GroupBox_Value1", "QGroupBox", "MÉRT ÉRTÉK 1"},
    {Page::Header, "Label_fValue1", "QLabel", "000.00"},
    {Page::Header, "Label_Dimension1", "QLabel", "?"},
    {Page::Header, "BarArea1", "QWidget", nullptr},
    {Page::Header, "GroupBox_Value2", "QGroupBox", "MÉRT ÉRTÉK 2 ", true},
    {Page::Header, "Label_fValue2", "QLabel", "000.00"},
    {Page::Header, "Label_Dimension2", "QLabel", "?"},
    {Page::Header, "BarArea2", "QWidget", nullptr},

    {Page::Monitor, "GroupBox_MBU", "QGroupBox", "MBU3"},
    {Page::Monitor, "Shape_MBUOn", "velmar::Lamp", nullptr},
    {Page::Monitor, "Shape_MBUCom", "velmar::Lamp", nullptr},
    {Page::Monitor, "Label_VendorID", "QLabel", "Vendor:"},
    {Page::Monitor, "Label_ProductID", "QLabel", "Product:"},
    {Page::Monitor, "Label_VendorName", "QLabel", "Vendor:"},
    {Page::Monitor, "Label_ProductName", "QLabel", "Product:"},
    {Page::Monitor, "Label_Commands", "QLabel", "Commands:"},
    {Page::Monitor, "Label_MBURxError", "QLabel", "???"},
    {Page::Monitor, "GroupBox_MBUTx", "QGroupBox", "Tx"},
    {Page::Monitor, "Label_MBUTxDevice", "QLabel", "???"},
    {Page::Monitor, "Label_MBUTxVerL", "QLabel", "???"},
    {Page::Monitor, "Label_MBUTxVerH", "QLabel", "???"},
    {Page::Monitor, "Label_MBUTxCommand", "QLabel", "???"},
    {Page::Monitor, "Label_uIndexForDataWrite", "QLabel", "?????"},
    {Page::Monitor, "Label_HostID", "QLabel", "???"},
    {Page::Monitor, "Label_TXBufferIsFull", "QLabel", "Buffer is full!", true},
    {Page::Monitor, "Memo_MBUTx", "velmar::FrameDumpView", ""},
    {Page::Monitor, "GroupBox_MBURx", "QGroupBox", "Rx"},
    {Page::Monitor, "Label_MBURxDevice", "QLabel", "???"},
    {Page::Monitor, "Label_MBURxVer", "QLabel", "???"},
    {Page::Monitor, "Label_MBURxCounter", "QLabel", "???"},
    {Page::Monitor, "Label_FPS", "QLabel", "??"},
    {Page::Monitor, "Label_uSumDataByteFromRx", "QLabel", "?????"},
    {Page::Monitor, "Label_DeviceID", "QLabel", "???"},
    {Page::Monitor, "Memo_MBURx", "velmar::FrameDumpView", ""},
    {Page::Monitor, "Button_CommandsClear", "QPushButton", "Cl"},
    {Page::Monitor, "CheckBox_MBUPause", "QCheckBox", "Automatikus lekérdezés tiltva"},

    {Page::About, "Memo_Help", "QPlainTextEdit", nullptr},

    {Page::TooOld, "Button_ExitFromApplication", "QPushButton", "Kilépés a programból"},
    {Page::TooNew, "Button_ExitFromApplication2", "QPushButton", "Kilépés a programból"},

    {Page::Aid, "Label_MBU_Commands", "QLabel", ""},
    {Page::Aid, "Shape_USBCommunication", "velmar::Lamp", nullptr},
};

TEST(Pages, NamedControlsStartAsDesigned) {
    Pages pages;
    for (const Control& c : kControls) {
        SCOPED_TRACE(c.name);
        QWidget* w = pageOf(pages, c.page)->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->metaObject()->className(), c.className);
        if (c.caption) EXPECT_EQ(captionOf(w), QString::fromUtf8(c.caption));
        EXPECT_EQ(w->isHidden(), c.hidden);
    }
}

TEST(Pages, HeaderStartsOnTheNoConnectionPageWithoutTabs) {
    HeaderPage page;
    EXPECT_TRUE(page.ui.PageControl5->tabBar()->isHidden());
    EXPECT_EQ(page.ui.PageControl5->currentWidget(), page.ui.TabSheet_NoComm);
    EXPECT_EQ(page.ui.PageControl5->indexOf(page.ui.TabSheet_Header), 0);
}

TEST(Pages, LatchingButtonsAndReadOnlyMemos) {
    Pages pages;
    EXPECT_TRUE(pages.header.ui.SpeedButton_Reset->isCheckable());
    EXPECT_TRUE(pages.about.ui.Memo_Help->isReadOnly());
}

TEST(Pages, AboutHelpHasItsSixLinesVerbatim) {
    AboutPage page;
    const QStringList lines = page.ui.Memo_Help->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].startsWith(u"1. Csatlakoztassa"));
    // The third line continues on the fourth, so it keeps its trailing blank.
    EXPECT_TRUE(lines[2].endsWith(u"beállítási "));
    EXPECT_EQ(lines[5], QString::fromUtf8("5. A módosított beállítást a \"Beírás a készülékbe\" "
                                          "gombra kattintással tudja a készülékbe tölteni."));
}

TEST(Pages, VersionRefusedVariantsDiffer) {
    struct Case {
        bool tooNew;
        const char* caption;
        const char* button;
        const char* reasonStart;
    };
    const Case cases[] = {
        {false, "Ez a program túl régi", "Button_ExitFromApplication", "Ez a beállító program túl régi"},
        {true, "Ez a program túl új", "Button_ExitFromApplication2", "Ez a beállító program újabb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        VersionRefusedPage page(c.tooNew);
        EXPECT_EQ(page.tabCaption(), QString::fromUtf8(c.caption));
        ASSERT_NE(page.exitButton(), nullptr);
        EXPECT_EQ(page.exitButton()->objectName(), QString::fromLatin1(c.button));
        EXPECT_TRUE(page.ui.Label_Reason->text().startsWith(QString::fromUtf8(c.reasonStart)));
        EXPECT_TRUE(page.ui.Label_Reason->font().bold());
        EXPECT_TRUE(page.ui.Label_Advice->text().startsWith(u"Használja a beállító program"));
    }
}

TEST(Pages, VelmarAidReportsClicksOnTheCommandList) {
    VelmarAidGroup group;
    EXPECT_EQ(group.objectName(), u"GroupBox_VelmarAid");
    EXPECT_EQ(group.title(), QString::fromUtf8("Kisegítő dolgok a Velmar szintű belépés után"));
    QSignalSpy spy(&group, &VelmarAidGroup::commandsLabelClicked);
    QTest::mouseClick(group.ui.Shape_USBCommunication, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseClick(group.ui.Label_MBU_Commands, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

}  // namespace
}  // namespace velmar
