#include "sim/virtual_instrument.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/link/command_table.h"
#include "sim/ac_input_handlers.h"
#include "sim/module_handlers.h"
#include "sim/px210_handlers.h"
#include "sim/rtd_handlers.h"
#include "sim/service_handlers.h"
#include "sim/settings_set.h"

namespace velmar::sim {

namespace {
std::function<double()> SteadyClock() {
    const auto start = std::chrono::steady_clock::now();
    return [start] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
}
}  // namespace

VirtualInstrument::VirtualInstrument(InstrumentConfig config, std::function<double()> clock)
    : config_(config), live_(config_, settings_, {OptIn(), OptOut1(), OptOut2()}, [this] { return clock_(); }),
      faults_(config_.faultEvery), clock_(clock ? std::move(clock) : SteadyClock()) {
    for (const auto& c : CommandTable()) handlers_[c.code] = [](const Payload&) { return Payload{}; };
    handlers_[101] = [this](const Payload& request) { return live_.StatusAnswer(request); };
    InstallModuleHandlers(*this);
    InstallSettingsSetHandlers(*this);
    InstallAcInputHandlers(*this);
    InstallPX210Handlers(*this);
    InstallRtdHandlers(*this);
    InstallServiceHandlers(*this);
}

void VirtualInstrument::SetConfig(const InstrumentConfig& config) {
    config_ = config;
    live_.SetModules({OptIn(), OptOut1(), OptOut2()});
}

void VirtualInstrument::SetHandler(uint8_t command, CommandHandler handler) { handlers_[command] = std::move(handler); }

namespace {
// The modules a device type usually leaves the factory with.
struct UsualModules {
    uint16_t type;
    uint8_t in, out1, out2;
};
constexpr UsualModules kUsualModules[] = {
    {210, 1, 0, 0}, {310, 2, 3, 0}, {330, 1, 5, 3}, {350, 0, 3, 5}, {370, 0, 3, 5},
    {510, 0, 0, 0}, {530, 1, 0, 0}, {544, 1, 0, 0}, {546, 1, 0, 0}, {580, 1, 3, 5},
};
const UsualModules* UsualFor(uint16_t type) {
    for (const auto& m : kUsualModules)
        if (m.type == type) return &m;
    return nullptr;
}
}  // namespace

uint8_t VirtualInstrument::OptIn() const {
    const auto* u = UsualFor(config_.deviceType);
    return config_.optIn.value_or(u ? u->in : 0);
}
uint8_t VirtualInstrument::OptOut1() const {
    const auto* u = UsualFor(config_.deviceType);
    return config_.optOut1.value_or(u ? u->out1 : 0);
}
uint8_t VirtualInstrument::OptOut2() const {
    const auto* u = UsualFor(config_.deviceType);
    return config_.optOut2.value_or(u ? u->out2 : 0);
}

uint8_t VirtualInstrument::Check(const uint8_t* report) const {
    if (CalcCRC16(report + 1, 62) != GetU16(report, kCrcFirst)) return err::kCrc;
    if (config_.forcedError) return *config_.forcedError;
    const uint16_t device = GetU16(report, pos::kDevice);
    if (device != 0 && device != config_.deviceType) return err::kUnknownDevice;
    const uint16_t minCode = GetU16(report, pos::kVersionMin);
    const uint16_t maxCode = GetU16(report, pos::kVersionMax);
    // Firmware older than the host asks for: the program is too new for it.
    if (FirmwareCode() < minCode) return err::kProgramNew;
    if (maxCode != 0 && FirmwareCode() > maxCode) return err::kProgramOld;
    if (!handlers_.contains(report[pos::kCommand])) return err::kUnknownCommand;
    return err::kOk;
}

std::optional<Report> VirtualInstrument::HandleReport(const uint8_t* report) {
    if (clock_() < silentUntil_) return std::nullopt;  // still starting up again
    Report answer{};
    PutU16(answer.data(), pos::kDevice, config_.deviceType);
    PutU16(answer.data(), pos::kVersionMin, FirmwareCode());
    answer[pos::kCounter] = counter_++;
    answer[pos::kCommand] = report[pos::kCommand];
    answer[pos::kFrameBits] = report[pos::kFrameBits];
    PutU32(answer.data(), pos::kId, config_.serial);

    answer[pos::kError] = Check(report);
    if (answer[pos::kError] == err::kOk) {
        if (report[pos::kFrameBits] & bits::kAnswerRequest)
            PutAnswerChunk(GetU16(report, pos::kIndex), answer);
        else
            TakePayloadFrame(report, answer);
    }
    SealTxFrame(answer.data());

    ++answersBuilt_;
    if (config_.dropEvery > 0 && answersBuilt_ % config_.dropEvery == 0) return std::nullopt;
    if (config_.badCrcEvery > 0 && answersBuilt_ % config_.badCrcEvery == 0) answer[kCrcFirst] ^= 0xFF;
    if (!faults_.Apply(answer)) return std::nullopt;
    return answer;
}

void VirtualInstrument::TakePayloadFrame(const uint8_t* report, Report& answer) {
    const uint8_t frameBits = report[pos::kFrameBits];
    const std::size_t total = GetU16(report, pos::kDataBytes);
    const std::size_t index = GetU16(report, pos::kIndex);
    if (total > kMaxCommandPayload) {
        answer[pos::kError] = err::kRxBufferFull;
        return;
    }
    if (frameBits & bits::kFirst) {
        std::fill_n(request_.begin(), total, 0);
        answer_.clear();
    }
    const std::size_t n = index < total ? std::min(kChunkSize, total - index) : 0;
    std::memcpy(request_.data() + index, report + kPayloadFirst, n);
    if (!(frameBits & bits::kLast)) return;  // an acknowledgement carries nothing

    const Payload request(request_.begin(), request_.begin() + total);
    answer_ = handlers_[report[pos::kCommand]](request);
    if (answer_.size() > kMaxAnswerPayload) answer_.resize(kMaxAnswerPayload);
    PutAnswerChunk(0, answer);
}

void VirtualInstrument::PutAnswerChunk(std::size_t index, Report& answer) const {
    PutU16(answer.data(), pos::kDataBytes, uint16_t(answer_.size()));
    PutU16(answer.data(), pos::kIndex, uint16_t(index));
    if (index >= answer_.size()) return;
    const std::size_t n = std::min(kChunkSize, answer_.size() - index);
    std::memcpy(answer.data() + kPayloadFirst, answer_.data() + index, n);
}

}  // namespace velmar::sim
