// USB on a Windows whose HID stack hidapi cannot use (Wine's): the bus says
// so plainly, once, and goes on without instruments.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "core/link/frame.h"
#include "transport/windows/usb_hid.h"

namespace velmar {
namespace {

TEST(UsbHidWindowsTest, WithoutHidSaysWhyAndGoesOn) {
    UsbHid hid;
    QSignalSpy problems(&hid, &HidLibrary::accessProblem);
    hid.Connect();
    QTest::qWait(300);
    if (hid.Available()) GTEST_SKIP() << "hidapi started: a real Windows";
    ASSERT_EQ(problems.count(), 1);
    const QString text = problems.at(0).at(0).toString();
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("Az USB-s készülékek nem érhetők el"))) << text.toStdString();
    EXPECT_TRUE(hid.Instruments(true).empty());
    EXPECT_EQ(hid.GetHandle(kVendorId, kProductId), 0u);
}

}  // namespace
}  // namespace velmar
