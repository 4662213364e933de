// A USB HID instrument made by the kernel's uhid driver and answered by the
// virtual instrument, so the program's real USB path (hidapi, udev, hidraw)
// can be driven without hardware. Needs write access to /dev/uhid (root).
//
// Commands on standard input, one a line:
//   unplug   the device goes away (UHID_DESTROY)
//   plug     it comes back with the same ids
//   stall    stop taking reports, as an instrument that hangs
//   resume   take them again
//   quit
// --count-file=PATH keeps the number of answered frames in PATH.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <poll.h>
#include <string>
#include <unistd.h>

#include "core/link/frame.h"
#include "sim/instrument_config.h"
#include "sim/virtual_instrument.h"

namespace {

// One vendor-defined collection with a 64-byte input and a 64-byte output
// report and no report ids, as the instrument has.
constexpr uint8_t kReportDescriptor[] = {
    0x06, 0x00, 0xFF,  // usage page: vendor defined
    0x09, 0x01,  // usage 1
    0xA1, 0x01,  // collection: application
    0x19, 0x01,  //   usage minimum 1
    0x29, 0x40,  //   usage maximum 64
    0x15, 0x00,  //   logical minimum 0
    0x26, 0xFF, 0x00,  //   logical maximum 255
    0x75, 0x08,  //   report size: 8 bits
    0x95, 0x40,  //   report count: 64
    0x81, 0x00,  //   input
    0x19, 0x01,  //   usage minimum 1
    0x29, 0x40,  //   usage maximum 64
    0x91, 0x00,  //   output
    0xC0,  // end collection
};

bool Send(int fd, const uhid_event& event) {
    const ssize_t n = ::write(fd, &event, sizeof event);
    if (n != static_cast<ssize_t>(sizeof event)) {
        std::fprintf(stderr, "uhid_instrument: write to /dev/uhid: %s\n", std::strerror(errno));
        return false;
    }
    return true;
}

bool Create(int fd, const char* name) {
    uhid_event event{};
    event.type = UHID_CREATE2;
    std::snprintf(reinterpret_cast<char*>(event.u.create2.name), sizeof event.u.create2.name, "%s", name);
    std::memcpy(event.u.create2.rd_data, kReportDescriptor, sizeof kReportDescriptor);
    event.u.create2.rd_size = sizeof kReportDescriptor;
    // hidapi's hidraw back end reads the ids of USB devices only.
    event.u.create2.bus = BUS_USB;
    event.u.create2.vendor = velmar::kVendorId;
    event.u.create2.product = velmar::kProductId;
    return Send(fd, event);
}

bool Destroy(int fd) {
    uhid_event event{};
    event.type = UHID_DESTROY;
    return Send(fd, event);
}

class CountFile {
public:
    explicit CountFile(const std::string& path) {
        if (!path.empty()) fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Write(0);
    }
    void Write(unsigned long count) {
        if (fd_ < 0) return;
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%-20lu\n", count);
        [[maybe_unused]] const ssize_t written = ::pwrite(fd_, text, n, 0);
    }

private:
    int fd_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    velmar::sim::InstrumentConfig config;
    std::string countPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string error;
        if (arg.rfind("--count-file=", 0) == 0) {
            countPath = arg.substr(13);
        } else if (!velmar::sim::ParseInstrumentFlag(arg, config, &error) || !error.empty()) {
            std::fprintf(stderr, "uhid_instrument: %s\n",
                         error.empty() ? ("unknown option " + arg).c_str() : error.c_str());
            return 2;
        }
    }
    const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "uhid_instrument: /dev/uhid: %s\n", std::strerror(errno));
        return 1;
    }
    velmar::sim::VirtualInstrument instrument(config);
    const std::string name = "Velmar PX" + std::to_string(config.deviceType);
    CountFile countFile(countPath);
    unsigned long answered = 0;
    bool plugged = Create(fd, name.c_str());
    bool stalled = false;
    std::string line;

    for (;;) {
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {fd, static_cast<short>(stalled ? 0 : POLLIN), 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents) {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, n);
            for (std::size_t end; (end = line.find('\n')) != std::string::npos; line.erase(0, end + 1)) {
                const std::string command = line.substr(0, end);
                if (command == "unplug" && plugged)
                    plugged = !Destroy(fd);
                else if (command == "plug" && !plugged)
                    plugged = Create(fd, name.c_str());
                else if (command == "stall")
                    stalled = true;
                else if (command == "resume")
                    stalled = false;
                else if (command == "quit")
                    return 0;
                std::printf("uhid_instrument: %s\n", command.c_str());
                std::fflush(stdout);
            }
        }
        if (!stalled && (fds[1].revents & POLLIN)) {
            uhid_event event{};
            if (::read(fd, &event, sizeof event) <= 0) continue;
            if (event.type == UHID_OUTPUT && event.u.output.rtype == UHID_OUTPUT_REPORT) {
                // hidraw hands the report on with its id byte 0 in front.
                velmar::sim::Report report{};
                const uint8_t* data = event.u.output.data;
                std::size_t size = event.u.output.size;
                if (size == velmar::kReportSize && data[0] == 0) {
                    ++data;
                    --size;
                }
                std::memcpy(report.data() + 1, data, std::min<std::size_t>(size, velmar::kFrameSize));
                if (auto answer = instrument.HandleReport(report.data())) {
                    uhid_event input{};
                    input.type = UHID_INPUT2;
                    input.u.input2.size = velmar::kFrameSize;
                    std::memcpy(input.u.input2.data, answer->data() + 1, velmar::kFrameSize);
                    if (Send(fd, input)) countFile.Write(++answered);
                }
            } else if (event.type == UHID_GET_REPORT) {
                uhid_event reply{};
                reply.type = UHID_GET_REPORT_REPLY;
                reply.u.get_report_reply.id = event.u.get_report.id;
                reply.u.get_report_reply.err = EIO;
                Send(fd, reply);
            } else if (event.type == UHID_SET_REPORT) {
                uhid_event reply{};
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = event.u.set_report.id;
                reply.u.set_report_reply.err = EIO;
                Send(fd, reply);
            }
        }
    }
    if (plugged) Destroy(fd);
    return 0;
}
