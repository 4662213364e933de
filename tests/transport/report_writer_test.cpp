// Writes through a pipe standing in for a hidraw node: a reader that stops
// taking bytes is a device that stops taking reports.
#include <array>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

#include "transport/linux/report_writer.h"

namespace velmar {
namespace {

using namespace std::chrono_literals;

struct ReportWriterTest : ::testing::Test {
    int fds[2] = {-1, -1};
    std::array<uint8_t, 65> report{};
    void SetUp() override {
        ASSERT_EQ(::pipe(fds), 0);
        for (std::size_t i = 0; i < report.size(); ++i) report[i] = uint8_t(i);
    }
    void TearDown() override { ::close(fds[0]); }
    // Fills the pipe so that the next blocking write waits.
    // Returns how many bytes it took.
    std::size_t Stall() {
        ::fcntl(fds[1], F_SETFL, O_NONBLOCK);
        std::array<uint8_t, 4096> junk{};
        std::size_t total = 0;
        for (ssize_t n; (n = ::write(fds[1], junk.data(), junk.size())) > 0;) total += n;
        ::fcntl(fds[1], F_SETFL, 0);
        return total;
    }
    std::size_t Drain() {
        ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
        std::array<uint8_t, 4096> buffer{};
        std::size_t total = 0;
        for (ssize_t n; (n = ::read(fds[0], buffer.data(), buffer.size())) > 0;) total += n;
        return total;
    }
};

TEST_F(ReportWriterTest, WritesTheWholeReport) {
    ReportWriter writer(fds[1]);
    ASSERT_TRUE(writer.Write(report.data(), report.size()));
    std::array<uint8_t, 65> got{};
    ASSERT_EQ(::read(fds[0], got.data(), got.size()), 65);
    EXPECT_EQ(got, report);
}

TEST_F(ReportWriterTest, StalledDeviceFailsTheWriteInsteadOfBlocking) {
    ReportWriter writer(fds[1], 50ms);
    const std::size_t filled = Stall();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(writer.Write(report.data(), report.size()));
    // The bound is 50 ms; a blocking write would wait here for ever.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    // While the stuck write is under way the next one fails at once.
    EXPECT_FALSE(writer.Write(report.data(), report.size()));

    // The device takes reports again: the stuck write ends, the next goes through.
    std::size_t drained = Drain();
    bool written = false;
    for (int i = 0; i < 200 && !written; ++i) {
        written = writer.Write(report.data(), report.size());
        if (!written) std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(written);
    drained += Drain();
    EXPECT_EQ(drained, filled + 2 * report.size()) << "the stuck report and the new one";
}

TEST_F(ReportWriterTest, FailedWriteIsReported) {
    ::close(fds[0]);
    fds[0] = ::open("/dev/null", O_RDONLY);
    ReportWriter writer(::open("/dev/null", O_RDONLY));  // a node that refuses writes
    ::close(fds[1]);
    EXPECT_FALSE(writer.Write(report.data(), report.size()));
}

}  // namespace
}  // namespace velmar
