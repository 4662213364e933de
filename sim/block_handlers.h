#pragma once
// Handlers of the commands that carry one settings block: a read answers
// with the block the instrument keeps, a write takes the block in, and the
// factory values answer with a block as it leaves the factory.

#include "core/link/payload_io.h"
#include "sim/virtual_instrument.h"

namespace velmar::sim {

// A command answering with a block, and one taking a block.
template <class Block, class Layout>
VirtualInstrument::CommandHandler Answer(const Block& block, Layout layout) {
    return [&block, layout](const Payload&) {
        Payload out;
        BytesWriter w(out);
        Block copy = block;
        layout(w, copy);
        return out;
    };
}

template <class Block, class Layout>
VirtualInstrument::CommandHandler Take(Block& block, Layout layout) {
    return [&block, layout](const Payload& request) {
        BytesReader r(request);
        layout(r, block);
        return Payload{};
    };
}

template <class Block, class Layout>
VirtualInstrument::CommandHandler Defaults(Layout layout) {
    return [layout](const Payload&) {
        Payload out;
        BytesWriter w(out);
        Block factory;
        layout(w, factory);
        return out;
    };
}

}  // namespace velmar::sim
