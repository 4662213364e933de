#include "sim/px210_handlers.h"

#include "core/link/payload_io.h"
#include "sim/virtual_instrument.h"

namespace velmar::sim {

namespace {
Payload Encode(PX210Block block) {
    Payload out;
    BytesWriter w(out);
    PX210Layout(w, block);
    return out;
}
}  // namespace

void InstallPX210Handlers(VirtualInstrument& vi) {
    PX210Block& kept = vi.Settings().px210;
    vi.SetHandler(kReadPX210, [&kept](const Payload&) { return Encode(kept); });
    vi.SetHandler(kPX210Defaults, [](const Payload&) { return Encode(PX210Block{}); });
    vi.SetHandler(kWritePX210, [&kept](const Payload& request) {
        BytesReader r(request);
        PX210Layout(r, kept);
        return Payload{};
    });
}

}  // namespace velmar::sim
