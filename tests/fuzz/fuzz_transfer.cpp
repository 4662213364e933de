// The chunked transfer as the link without a window runs it (the one the
// command-line tool uses): a command with a request payload of any length
// goes out, and answer frames of any content come back, with the answer
// timer firing in between. Every report written must be well formed, and
// the command must end with an answer no longer than the buffer or with
// an error.
//
// An input is: the command, two bytes of request length, one mode byte,
// then 64-byte answer frames, a short last one padded with zeros.
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "tests/support/single_device_hid.h"
#include "transport/command_link.h"
#include "written_frame_check.h"

using namespace velmar;

namespace {

constexpr std::size_t kHeader = 4;
namespace mode {
constexpr uint8_t kFixCrc = 1;  // reseal every frame; its CRC high byte may fire the timer
constexpr uint8_t kRepeatLast = 2;  // feed the last frame again until the command ends
}  // namespace mode
constexpr int kMaxRepeats = 800;

class CheckingHid : public test::SingleDeviceHid {
public:
    bool Write(HidHandle, const uint8_t* buffer) override {
        fuzz::CheckWritten(buffer);
        return true;
    }
};

struct Run {
    CheckingHid hid;
    CommandLink link{hid};
    QTimer* answerTimer = link.findChild<QTimer*>();
    bool ended = false;

    Run(uint8_t command, std::size_t requestLength) {
        link.Start();
        emit hid.hidEvent(kHidPlugged, CheckingHid::kHandle);
        std::vector<uint8_t> request(requestLength);
        for (std::size_t i = 0; i < requestLength; ++i) request[i] = uint8_t(i * 13);
        link.engine.Submit(command, request, [this](const CommandResult& r) {
            if (r.error == 0 && r.answer.size() > kPayloadBufferSize) fuzz::Fail("answer longer than the buffer");
            if (ended) fuzz::Fail("a command ended twice");
            ended = true;
        });
        QCoreApplication::sendPostedEvents();
    }

    void Feed(const uint8_t* frame, uint8_t modeByte) {
        sim::Report r{};
        std::memcpy(r.data() + 1, frame, kFrameSize);
        int timer = 0;
        if (modeByte & mode::kFixCrc) {
            timer = r[kCrcFirst + 1] % 16;
            SealTxFrame(r.data());
        }
        hid.incoming.push_back(r);
        emit hid.hidEvent(kHidReportReceived, CheckingHid::kHandle);
        if (timer >= 13) QMetaObject::invokeMethod(answerTimer, "timeout", Qt::DirectConnection);
        QCoreApplication::sendPostedEvents();
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    new QCoreApplication(*argc, *argv);
    std::vector<std::pair<std::string, fuzz::Bytes>> seeds;
    // A status request answered by one sealed frame, and the same repeated.
    fuzz::Bytes status{101, 10, 0, mode::kFixCrc};
    sim::Report a{};
    a[pos::kCommand] = 101;
    PutU16(a.data(), pos::kDataBytes, 106);
    status.insert(status.end(), a.begin() + 1, a.end());
    seeds.push_back({"status", status});
    status[3] |= mode::kRepeatLast;
    seeds.push_back({"status-repeated", status});
    fuzz::WriteSeedsIfAsked(seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader) return 0;
    const uint8_t modeByte = data[3];
    Run run(data[0], GetU16(data, 1) % (PayloadTransfer::kMaxCommandPayload + 1));
    uint8_t frame[kFrameSize] = {};
    for (std::size_t at = kHeader; at < size; at += kFrameSize) {
        std::memset(frame, 0, kFrameSize);
        std::memcpy(frame, data + at, std::min(kFrameSize, size - at));
        run.Feed(frame, modeByte);
    }
    if (modeByte & mode::kRepeatLast)
        for (int i = 0; i < kMaxRepeats && !run.ended; ++i) run.Feed(frame, modeByte);
    // Unplugged: whatever is under way ends now.
    emit run.hid.hidEvent(kHidUnplugged, CheckingHid::kHandle);
    if (!run.ended) fuzz::Fail("a command outlived the unplug");
    return 0;
}
