// The USB transport on a machine without an instrument: it must come up,
// announce nothing and refuse reads and writes without crashing.
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <cstring>
#include <gtest/gtest.h>

#include "core/link/frame.h"
#include "transport/usb_hid.h"

namespace velmar {
namespace {

TEST(UsbHidTest, WithoutInstrumentAnnouncesNothingAndRefusesIo) {
    UsbHid hid;
    QSignalSpy events(&hid, &HidLibrary::hidEvent);
    hid.Connect();
    QTest::qWait(200);

    for (const QList<QVariant>& event : events) EXPECT_NE(event.at(0).toInt(), kHidPlugged);
    EXPECT_EQ(hid.GetHandle(kVendorId, kProductId), 0u);

    std::array<uint8_t, kReportSize> report{};
    report.fill(0xA5);
    EXPECT_FALSE(hid.Write(0, report.data()));
    EXPECT_FALSE(hid.Read(0, report.data()));
    EXPECT_EQ(report[1], 0xA5) << "a failed read must leave the buffer alone";
    EXPECT_EQ(hid.GetVendorID(0), 0);
    EXPECT_EQ(hid.GetProductID(0), 0);

    char name[8];
    std::memset(name, 'x', sizeof name);
    hid.GetProductName(0, name, sizeof name);
    EXPECT_STREQ(name, "");
}

}  // namespace
}  // namespace velmar
