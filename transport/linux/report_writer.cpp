#include "transport/linux/report_writer.h"

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace velmar {

// The thread only moves bytes; the caller learns the outcome or stops waiting.
struct ReportWriter::Shared {
    std::mutex mutex;
    std::condition_variable wake;  // a job or the stop for the thread
    std::condition_variable done;  // a finished job for the caller
    std::vector<uint8_t> job;
    bool hasJob = false;
    bool busy = false;  // from handing over a job until its write returned
    bool stop = false;
    bool lastOk = false;
    uint64_t submitted = 0, finished = 0;
    int fd = -1;
};

namespace {

bool WriteAll(int fd, const std::vector<uint8_t>& data) {
    for (;;) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        return n == static_cast<ssize_t>(data.size());
    }
}

void Run(std::shared_ptr<ReportWriter::Shared> s) {
    std::unique_lock lock(s->mutex);
    for (;;) {
        s->wake.wait(lock, [&] { return s->stop || s->hasJob; });
        if (s->stop) break;
        std::vector<uint8_t> job = std::move(s->job);
        s->hasJob = false;
        lock.unlock();
        const bool ok = WriteAll(s->fd, job);
        lock.lock();
        s->lastOk = ok;
        s->busy = false;
        ++s->finished;
        s->done.notify_all();
    }
    ::close(s->fd);
}

}  // namespace

ReportWriter::ReportWriter(int fd, std::chrono::milliseconds bound)
    : shared_(std::make_shared<Shared>()), bound_(bound) {
    shared_->fd = fd;
    std::thread(Run, shared_).detach();
}

ReportWriter::~ReportWriter() {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
    shared_->wake.notify_all();
}

bool ReportWriter::Write(const uint8_t* data, std::size_t size) {
    std::unique_lock lock(shared_->mutex);
    if (shared_->busy) return false;
    shared_->job.assign(data, data + size);
    shared_->hasJob = true;
    shared_->busy = true;
    const uint64_t mine = ++shared_->submitted;
    shared_->wake.notify_all();
    if (!shared_->done.wait_for(lock, bound_, [&] { return shared_->finished >= mine; })) return false;
    return shared_->lastOk;
}

}  // namespace velmar
