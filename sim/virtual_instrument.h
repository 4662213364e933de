#pragma once
// The instrument's side of the protocol: takes the host's frames and builds
// the answers, so the program can run and be tested without hardware.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "sim/fault_schedule.h"
#include "sim/instrument_config.h"
#include "sim/live_values.h"

namespace velmar::sim {

using Payload = std::vector<uint8_t>;

class VirtualInstrument {
public:
    // Builds the answer payload of one command from its request payload.
    using CommandHandler = std::function<Payload(const Payload& request)>;

    static constexpr std::size_t kMaxCommandPayload = 16383;
    static constexpr std::size_t kMaxAnswerPayload = 16384;

    // clock: seconds since switching on; a steady clock when not given.
    explicit VirtualInstrument(InstrumentConfig config = {}, std::function<double()> clock = {});

    // Takes one report written by the host (report id in byte 0) and returns
    // the answer report, or nothing when fault injection drops the answer.
    std::optional<Report> HandleReport(const uint8_t* report);

    // Replaces the answer of a known command; every command of the command
    // table starts out answering with an empty payload.
    void SetHandler(uint8_t command, CommandHandler handler);

    const InstrumentConfig& Config() const { return config_; }
    // A new identity written at the factory: type, serial, date and modules.
    void SetConfig(const InstrumentConfig& config);
    // A restart: no answers for that long.
    void SilenceFor(double seconds) { silentUntil_ = clock_() + seconds; }
    uint8_t OptIn() const;
    uint8_t OptOut1() const;
    uint8_t OptOut2() const;
    InstrumentSettings& Settings() { return settings_; }
    LiveValues& Live() { return live_; }
    const FaultSchedule& Faults() const { return faults_; }
    uint16_t FirmwareCode() const { return DateToVersionCode(config_.firmware); }

private:
    uint8_t Check(const uint8_t* report) const;
    void TakePayloadFrame(const uint8_t* report, Report& answer);
    void PutAnswerChunk(std::size_t index, Report& answer) const;

    InstrumentConfig config_;
    InstrumentSettings settings_;
    LiveValues live_;
    std::map<uint8_t, CommandHandler> handlers_;
    std::array<uint8_t, kMaxCommandPayload + 1> request_{};
    Payload answer_;
    uint8_t counter_ = 0;
    unsigned answersBuilt_ = 0;
    FaultSchedule faults_;
    std::function<double()> clock_;
    double silentUntil_ = -1;
};

}  // namespace velmar::sim
