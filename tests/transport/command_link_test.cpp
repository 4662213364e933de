// The command link of velmar-cli on a scripted HID library: a frame the
// transport cannot send.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>

#include "core/link/frame.h"
#include "tests/support/fake_hid.h"
#include "transport/command_link.h"

using namespace velmar;
using test::FakeHid;

// The command is tried again as after a lost answer, and then ends with
// the write's own code, without waiting for the answer timer: only events
// already posted are handled here, no timer gets its turn.
TEST(CommandLink, AFrameThatCannotBeSentEndsTheCommandWithoutWaiting) {
    FakeHid hid;
    CommandLink link(hid);
    link.Start();
    emit hid.hidEvent(kHidPlugged, FakeHid::kInstrument);
    hid.writeFails = true;
    std::optional<CommandResult> result;
    link.engine.Submit(101, {}, [&](const CommandResult& r) { result = r; });
    for (int i = 0; i < 100 && !result; ++i) QCoreApplication::processEvents();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->error, err::kWriteFailed);
    EXPECT_EQ(hid.written.size(), std::size_t(1 + CommandEngine::kRetries));

    // The link is still usable once the transport sends again.
    hid.writeFails = false;
    result.reset();
    link.engine.Submit(101, {}, [&](const CommandResult& r) { result = r; });
    for (int i = 0; i < 100 && hid.written.size() < 4; ++i) QCoreApplication::processEvents();
    ASSERT_EQ(hid.written.size(), 4u);
    hid.incoming[FakeHid::kInstrument].push_back(test::Answer{.command = 101}.Frame());
    emit hid.hidEvent(kHidReportReceived, FakeHid::kInstrument);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->error, 0);
}
