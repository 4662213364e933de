#include "core/trend/trend_recorder.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "core/trend/trend_csv.h"

namespace velmar {

namespace {
// Past this the lines go out before the next timer tick: memory stays small
// even if nothing flushes for a while.
constexpr std::size_t kFlushAt = 64 * 1024;

void SetError(std::string* error, const char* what) {
    if (error) *error = std::string(what) + ": " + std::strerror(errno);
}
}  // namespace

bool TrendRecorder::Open(const std::string& path, std::string* error) {
    // The window stops a recording, and tells how it ended, before it starts
    // another; one still open here has nobody left to tell.
    (void)Close();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) {
        SetError(error, "megnyitás");
        return false;
    }
    // Our own buffer holds whole lines; the library must not cut them.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    path_ = path;
    failure_.clear();
    records_ = 0;
    written_ = 0;
    buffer_ = CsvHeaderLine();
    return Flush(error);
}

void TrendRecorder::LineAdded() {
    ++records_;
    // A failure is kept in failure_ and told by TakeFailure.
    if (buffer_.size() >= kFlushAt) (void)Flush(&failure_);
}

bool TrendRecorder::Flush(std::string* error) {
    if (!file_) return false;
    if (buffer_.empty()) return true;
    const std::size_t n = std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    if (n != buffer_.size()) {
        SetError(error, "írás");
        // What did get out may end inside a line: cut it back.
        if (ftruncate(fileno(file_), off_t(written_)) != 0) written_ += n;
        buffer_.clear();
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    written_ += n;
    buffer_.clear();
    return true;
}

bool TrendRecorder::Close(std::string* error) {
    if (!file_) return true;
    bool ok = Flush(error);
    if (file_ && std::fclose(file_) != 0) {
        SetError(error, "lezárás");
        ok = false;
    }
    file_ = nullptr;
    return ok;
}

}  // namespace velmar
