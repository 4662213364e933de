#pragma once
// What the window-less fuzz targets share: an answer payload put where the
// program's transfer reads it, a finding that stops the run, and the seeds
// a target writes into a folder when asked.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/link/payload_io.h"
#include "core/link/transfer.h"

namespace velmar::fuzz {

using Bytes = std::vector<uint8_t>;

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

// The transfer outside any link: nothing is sent, no timer runs.
class NoHost : public TransferHost {
public:
    bool SendTxFrame() override { return true; }
    void StartAnswerTimer() override {}
    void StopAnswerTimer() override {}
    void ProcessRxCommand(uint8_t) override {}
    void ProcessRxFrame() override {}
    void ShowAnswerLength(uint16_t) override {}
    void ShowTxBufferFull(bool) override {}
};

// An answer payload as the transfer holds it when a decoder runs: the bytes
// received, and every read past them gives 0.
class Answer {
public:
    Answer(const uint8_t* data, std::size_t size) {
        const std::size_t n = std::min(size, kPayloadBufferSize);
        std::memcpy(mbu_->uyDataIn.data(), data, n);
        mbu_->uSumDataByteFromRx = uint16_t(n);
        mbu_->uIndexForDataRead = 0;
    }
    PayloadTransfer& Transfer() { return transfer_; }
    TransferReader& Reader() { return reader_; }

private:
    // The buffers are large; one set serves every input.
    static TMBU* Shared() {
        static TMBU* mbu = new TMBU;
        return mbu;
    }
    TMBU* mbu_ = Shared();
    NoHost host_;
    PayloadTransfer transfer_{*mbu_, mbu_->uyDataOut.data(), mbu_->uyDataIn.data(), host_};
    TransferReader reader_{transfer_};
};

// With VELMAR_WRITE_SEEDS=DIR set, writes the seeds into DIR and ends the
// process; a target calls it from LLVMFuzzerInitialize.
inline void WriteSeedsIfAsked(const std::vector<std::pair<std::string, Bytes>>& seeds) {
    const char* dir = std::getenv("VELMAR_WRITE_SEEDS");
    if (!dir) return;
    for (const auto& s : seeds) {
        std::ofstream out(std::string(dir) + "/" + s.first, std::ios::binary);
        out.write(reinterpret_cast<const char*>(s.second.data()), std::streamsize(s.second.size()));
        if (!out) Fail("cannot write a seed");
    }
    std::exit(0);
}

// A few plain payloads of a size: zeros, ones and a ramp.
inline std::vector<std::pair<std::string, Bytes>> PlainSeeds(std::size_t size, const std::string& prefix = "") {
    Bytes ramp(size);
    for (std::size_t i = 0; i < size; ++i) ramp[i] = uint8_t(i * 7 + 1);
    return {{prefix + "zeros", Bytes(size, 0)}, {prefix + "ones", Bytes(size, 0xFF)}, {prefix + "ramp", ramp}};
}

}  // namespace velmar::fuzz
