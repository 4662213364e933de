// One copy of the program per user: two copies started at the same moment
// end with exactly one running, also after the last holder was killed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "gui/app/single_instance.h"

namespace velmar {
namespace {

TEST(SingleInstance, TwoCopiesStartedTogetherLeaveExactlyOneRunning) {
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // Qt on Windows writes its messages to a console only, unless told.
    env.insert("QT_FORCE_STDERR_LOGGING", "1");
    const QString refusal = QString::fromUtf8("A program egy példánya már fut!");
    // Each round kills both copies: the next pair also finds the lock of a
    // copy that died holding it.
    for (int round = 0; round < 3; ++round) {
        QProcess copies[2];
        const QString errFile[2] = {runtime.filePath("err0"), runtime.filePath("err1")};
        for (int i = 0; i < 2; ++i) {
            copies[i].setProcessEnvironment(env);
            copies[i].setStandardErrorFile(errFile[i]);
        }
        for (QProcess& p : copies) p.start(VELMAR_SETUP_PATH, {"--device=sim"});
        for (QProcess& p : copies) ASSERT_TRUE(p.waitForStarted()) << round;
        QString err[2];
        const auto refused = [&](int i) {
            QFile f(errFile[i]);
            // In the system's 8-bit encoding, as Qt writes its messages.
            err[i] = f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
            return err[i].contains(refusal);
        };
        for (int waited = 0; waited < 15000 && !refused(0) && !refused(1); waited += 100) QThread::msleep(100);
        QThread::msleep(1500);  // time enough for the other to refuse as well
        const bool r0 = refused(0), r1 = refused(1);
        EXPECT_NE(r0, r1) << "round " << round << ": " << err[0].toStdString() << " | " << err[1].toStdString();
        // The one that did not refuse is the program, still running.
        EXPECT_EQ(copies[r0 ? 1 : 0].state(), QProcess::Running) << round;
        for (QProcess& p : copies) {
            p.kill();
            p.waitForFinished();
        }
    }
}

TEST(SingleInstance, WithoutAFolderForTheLockTheProcessListDecides) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const QString noFolder = dir.filePath("file/locks");  // under a file: never made
    EXPECT_TRUE(ClaimOnlyInstance(
        "velmar-probe", [](const QString&) { return 1; }, noFolder));
    EXPECT_FALSE(ClaimOnlyInstance(
        "velmar-probe", [](const QString&) { return 2; }, noFolder));
}

}  // namespace
}  // namespace velmar
