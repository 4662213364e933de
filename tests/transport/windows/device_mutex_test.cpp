// The named-mutex lock on Windows: one holder at a time, whichever process
// it is, and the system frees it when the holder dies.
#include <gtest/gtest.h>

#include <windows.h>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <cstdio>

#include "tests/support/program_output.h"
#include "transport/windows/device_mutex.h"

namespace velmar {
namespace {

constexpr int kWaitMs = 60000;  // Wine starts a process slowly on a busy machine
const std::string kPath = "\\\\?\\hid#vid_04d8&pid_003f#7&2f0ab3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// Run in a second process by the tests below: takes the lock, says what
// happened, and holds it until killed.
TEST(DeviceMutexChild, TakesAndHolds) {
    const QByteArray path = qgetenv("VELMAR_MUTEX_CHILD");
    if (path.isEmpty()) GTEST_SKIP() << "started by DeviceMutexTest in a second process";
    NodeState state = NodeState::kGone;
    const auto lock = DeviceMutex::Take(path.toStdString(), &state);
    std::printf(lock ? "held\n" : "refused\n");
    std::fflush(stdout);
    if (lock) ::Sleep(kWaitMs);
}

struct Child {
    QProcess process;
    // Starts this test program as the child and waits for its word.
    QByteArray Start(const std::string& path) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELMAR_MUTEX_CHILD", QString::fromStdString(path));
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DeviceMutexChild.*"});
        QByteArray out;
        (void)QTest::qWaitFor(
            [&] {
                out += test::StandardOutput(process);
                return out.contains("held\n") || out.contains("refused\n") || process.state() == QProcess::NotRunning;
            },
            kWaitMs);
        return out.contains("held\n") ? "held" : out.contains("refused\n") ? "refused" : out;
    }
    ~Child() {
        process.kill();
        process.waitForFinished(kWaitMs);
    }
};

TEST(DeviceMutexTest, OneHolderAtATimeWhateverTheLetterCase) {
    NodeState state = NodeState::kGone;
    auto first = DeviceMutex::Take(kPath, &state);
    ASSERT_TRUE(first);
    EXPECT_EQ(state, NodeState::kFree);
    std::string upper = kPath;
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_FALSE(DeviceMutex::Take(upper, &state)) << "the same device under another spelling";
    EXPECT_EQ(state, NodeState::kInUse);
    EXPECT_TRUE(DeviceMutex::Take(kPath + "x", &state)) << "another device is free";
    first.reset();
    EXPECT_TRUE(DeviceMutex::Take(kPath, &state));
    EXPECT_EQ(DeviceMutex::NameFor("\\\\?\\HID#A"), L"Local\\velmar-hid-//?/hid#a");
}

TEST(DeviceMutexTest, HeldByOneProcessRefusedToAnother) {
    NodeState state = NodeState::kGone;
    {
        const auto lock = DeviceMutex::Take(kPath, &state);
        ASSERT_TRUE(lock);
        Child child;
        EXPECT_EQ(child.Start(kPath), "refused");
    }
    Child holder;
    ASSERT_EQ(holder.Start(kPath), "held");
    EXPECT_FALSE(DeviceMutex::Take(kPath, &state));
    EXPECT_EQ(state, NodeState::kInUse);
    // The holder dies without letting go: the system frees the lock.
    holder.process.kill();
    ASSERT_TRUE(holder.process.waitForFinished(kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return DeviceMutex::Take(kPath, &state) != nullptr; }, kWaitMs));
}

}  // namespace
}  // namespace velmar
