#pragma once
// One instrument on the link for the command-line tool: waits for it,
// runs commands to their answers, and keeps its journal as the window does.

#include <QString>
#include <memory>
#include <optional>

#include "core/device/records.h"
#include "core/settings/block_transfer.h"
#include "files/settings_file.h"
#include "files/settings_journal.h"
#include "transport/command_link.h"

namespace velmar {

// Exit codes of the tool. A settings file that cannot be read, written or
// applied has its own, apart from a wrong command line.
enum CliExit : int { kExitDone = 0, kExitDiffers = 1, kExitUsage = 2, kExitLink = 3, kExitFile = 4 };

class CliSession {
public:
    CliSession(HidLibrary& hid, QString journalFolder, bool service);

    // Waits for the instrument and its first status answer; false when
    // none came within the time.
    [[nodiscard]] bool Connect(int ms, QString* error);
    // The status answer now; nullopt with *error when the link failed.
    [[nodiscard]] std::optional<tRX> Status(QString* error);

    // Runs the engine until the callback given to start has been called.
    template <class Result, class Start>
    Result Await(Start start) {
        std::optional<Result> got;
        start([&got](Result r) { got = std::move(r); });
        // Nothing would start what waits for an instrument that is not there.
        if (!link_.Online()) link_.engine.CancelAll();
        WaitUntil([&got] { return got.has_value(); });
        return std::move(*got);
    }
    [[nodiscard]] std::optional<BlockImages> Read(const std::vector<const SettingsBlockInfo*>& blocks, bool defaults,
                                                  QString* error);
    BlockWriteResult Write(const BlockImages& blocks);
    CommandResult Call(uint8_t command, std::vector<uint8_t> request);
    void Sleep(int ms);
    void ForgetDevice() { link_.ForgetDevice(); }

    InstrumentFit Fit() const;
    InstrumentIdentity Identity() const;
    int MeasuredDecimals() const { return rx_.uDecimalPoint; }
    bool Online() const { return link_.Online(); }
    SettingsJournal& Journal() { return journal_; }

private:
    void WaitUntil(const std::function<bool()>& done);

    CommandLink link_;
    SettingsJournal journal_;
    bool service_;
    tRX rx_;
};

// The link's or the instrument's error code in one line.
QString LinkErrorLine(uint8_t code);

}  // namespace velmar
