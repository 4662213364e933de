#pragma once
// velmar-sim as a separate process for the tests that talk to it on a socket.

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>

#include "tests/support/program_output.h"

namespace velmar::test {

inline constexpr int kSimWaitMs = 10000;  // generous: a loaded machine is not a fault

// A velmar-sim process, killed when the test ends.
class SimProcess {
public:
    ~SimProcess() { Kill(); }

    // Starts velmar-sim and returns the address from its start line, empty
    // when it did not come up.
    QString Start(const QStringList& args) {
        process_ = std::make_unique<QProcess>();
        process_->start(VELMAR_SIM_PATH, args);
        if (!process_->waitForStarted(kSimWaitMs)) return {};
        static const QRegularExpression line("itt vár: (\\S+)\n");
        QRegularExpressionMatch match;
        const bool up = QTest::qWaitFor(
            [&] {
                output_ += process_->readAllStandardError();
                match = line.match(QString::fromUtf8(Lines(output_)));
                return match.hasMatch() || process_->state() == QProcess::NotRunning;
            },
            kSimWaitMs);
        return up ? match.captured(1) : QString();
    }

    void Kill() {
        if (!process_) return;
        process_->kill();
        process_->waitForFinished(kSimWaitMs);
        process_.reset();
    }

    QByteArray Output() const { return Lines(output_); }

private:
    std::unique_ptr<QProcess> process_;
    QByteArray output_;
};

}  // namespace velmar::test
