#pragma once
// Writes the recorder's CSV file. Lines are collected in memory and written
// out whole, a few times a second and when the recording stops, so that the
// file never ends in half a line, whenever the recording or the link ends.

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

namespace velmar {

class TrendRecorder {
public:
    TrendRecorder() = default;
    ~TrendRecorder() { (void)Close(); }  // the window has closed it and told how it went
    TrendRecorder(const TrendRecorder&) = delete;
    TrendRecorder& operator=(const TrendRecorder&) = delete;

    // Creates (or empties) the file and writes the header line; false with
    // the system's reason in *error when it cannot.
    [[nodiscard]] bool Open(const std::string& path, std::string* error);
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }

    // The line of a record, complete with its line end; it reaches the file
    // at the next Flush. The buffer is emptied into the file by itself when
    // it grows large.
    std::string& Buffer() { return buffer_; }
    void LineAdded();
    // Why a write LineAdded made by itself failed (and the file was closed),
    // once; empty when none did.
    std::string TakeFailure() { return std::exchange(failure_, {}); }

    // Writes the collected lines; false with the reason when the file could
    // not take them (the disk is full, the stick pulled out), and the file
    // is closed.
    [[nodiscard]] bool Flush(std::string* error = nullptr);
    // Writes what is left and closes the file.
    [[nodiscard]] bool Close(std::string* error = nullptr);

    uint64_t Records() const { return records_; }
    // Bytes in the file and waiting for it.
    uint64_t Bytes() const { return written_ + buffer_.size(); }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    std::string buffer_;
    uint64_t records_ = 0;
    uint64_t written_ = 0;
    std::string failure_;
};

}  // namespace velmar
