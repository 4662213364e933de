#include "programs/velmar-cli/cli_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "core/device/status_codec.h"
#include "core/link/frame.h"
#include "core/link/payload_io.h"
#include "programs/velmar-cli/cli_output.h"

namespace velmar {

QString LinkErrorLine(uint8_t code) { return QString::fromStdString(BlockErrorText(code)); }

CliSession::CliSession(HidLibrary& hid, QString journalFolder, bool service)
    : link_(hid), journal_(std::move(journalFolder)), service_(service) {
    link_.blockExchanged = [this](uint8_t c, const Bytes& request, const Bytes& answer) {
        if (!journal_.Attached()) journal_.Attach(rx_.uDevice, link_.Serial());
        journal_.Observe(c, request, answer);
        // The work goes on without it, but the user must know the record is missing.
        if (const QString failure = journal_.TakeFailure(); !failure.isEmpty())
            CliOutput::Error(QString::fromUtf8("figyelem: ") + failure);
    };
}

void CliSession::WaitUntil(const std::function<bool()>& done) {
    // Conditions on the clock need a wake-up of their own: timers may fire
    // a little early, and nothing else might happen after them.
    QTimer tick;
    tick.start(20);
    QEventLoop loop;
    while (!done()) loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void CliSession::Sleep(int ms) {
    QElapsedTimer clock;
    clock.start();
    WaitUntil([&] { return clock.elapsed() >= ms; });
}

bool CliSession::Connect(int ms, QString* error) {
    link_.Start();
    QElapsedTimer clock;
    clock.start();
    WaitUntil([&] { return link_.Online() || clock.elapsed() > ms; });
    if (!link_.Online()) {
        *error = QString::fromUtf8("nincs csatlakoztatott készülék");
        return false;
    }
    // The first answers after opening may still be out of step (a late
    // answer to another program's request); they get the rest of the time.
    while (!Status(error)) {
        if (!link_.Online() || clock.elapsed() > ms) return false;
    }
    return true;
}

CommandResult CliSession::Call(uint8_t command, std::vector<uint8_t> request) {
    return Await<CommandResult>([&](auto done) {
        link_.engine.Submit(command, std::move(request), [done](const CommandResult& r) { done(r); });
    });
}

std::optional<tRX> CliSession::Status(QString* error) {
    tTX tx;
    tMSys sys;
    std::vector<uint8_t> request;
    BytesWriter out(request);
    StatusRequestLayout(out, tx, sys);
    const CommandResult r = Call(101, request);
    if (r.error != 0) {
        *error = LinkErrorLine(r.error);
        return std::nullopt;
    }
    BytesReader in(r.answer);
    tRX rx;
    StatusAnswerLayout(in, rx, sys);
    rx.uDevice = link_.DeviceType();
    rx.uDeviceID = link_.Serial();
    rx_ = rx;
    return rx;
}

std::optional<BlockImages> CliSession::Read(const std::vector<const SettingsBlockInfo*>& blocks, bool defaults,
                                            QString* error) {
    BlockReadResult r =
        Await<BlockReadResult>([&](auto done) { ReadBlocks(link_.engine, blocks, defaults, {}, done); });
    if (r.error != 0) {
        *error = QString::fromUtf8("%1: %2").arg(QString::fromUtf8(r.failed->caption), LinkErrorLine(r.error));
        return std::nullopt;
    }
    return std::move(r.blocks);
}

BlockWriteResult CliSession::Write(const BlockImages& blocks) {
    return Await<BlockWriteResult>([&](auto done) { WriteBlocks(link_.engine, blocks, {}, done); });
}

InstrumentFit CliSession::Fit() const {
    return {rx_.uDevice, rx_.uPXOptIn, rx_.uPXOptOutPrimer, rx_.uPXOptOutSecondary, service_};
}

InstrumentIdentity CliSession::Identity() const {
    return {rx_.uDevice, rx_.uDeviceID, rx_.uGyariSzamEv, rx_.uGyariSzamHonap,
            VersionCodeToText(link_.FirmwareCode(), ".")};
}

}  // namespace velmar
