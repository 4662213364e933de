#pragma once
// Writes reports to a hidraw node on a thread of its own and waits for each
// only a bounded time. The kernel's USB write waits up to five seconds for a
// device that stops taking reports, whatever the node's flags; the window
// must not freeze meanwhile, so such a write counts as failed and the link
// handles it as a lost answer.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace velmar {

class ReportWriter {
public:
    static constexpr std::chrono::milliseconds kDefaultBound{50};

    // Takes over fd and closes it once the thread ends.
    explicit ReportWriter(int fd, std::chrono::milliseconds bound = kDefaultBound);
    // Does not wait for a write still under way; its thread ends after it.
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // True when all size bytes were written within the bound. False when the
    // write failed, did not end in time, or an earlier one is still under way.
    [[nodiscard]] bool Write(const uint8_t* data, std::size_t size);

    struct Shared;  // between the caller and the thread

private:
    std::shared_ptr<Shared> shared_;
    std::chrono::milliseconds bound_;
};

}  // namespace velmar
