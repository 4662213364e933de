// The answers of the service commands: the calibration constants each one
// carries, read into the status record by the command table and shown with
// their masks, and the output calibration's 16-bit points.
//
// An input is one byte choosing the command, then its answer.
#include "core/device/number_mask.h"
#include "core/device/service_commands.h"
#include "fuzz_support.h"

using namespace velmar;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::vector<std::pair<std::string, fuzz::Bytes>> seeds;
    for (std::size_t i = 0; i < ServiceCommands().size(); ++i)
        for (auto s : fuzz::PlainSeeds(17, "command-" + std::to_string(ServiceCommands()[i].code) + "-")) {
            s.second[0] = uint8_t(i);
            seeds.push_back(s);
        }
    fuzz::WriteSeedsIfAsked(seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto commands = ServiceCommands();
    const ServiceCommand& c = commands[data[0] % commands.size()];
    fuzz::Answer answer(data + 1, size - 1);
    tRX rx;
    std::string shown;
    const int count = FieldCount(c);
    if (count < 0 || count > 4) fuzz::Fail("field count beyond the table");
    for (int i = 0; i < count; ++i) {
        int32_t& field = rx.*c.fields[std::size_t(i)];
        field = answer.Transfer().ReadInteger();
        shown += FormatMask(field, c.mask ? c.mask : "0");
    }
    if (c.code == kCalibrateOutputLow || c.code == kCalibrateOutputHigh || c.code == kReadOutputCalibration) {
        fuzz::Answer points(data + 1, size - 1);
        for (int i = 0; i < 4; ++i) shown += FormatMask(points.Transfer().ReadWord(), "0");
    }
    return 0;
}
