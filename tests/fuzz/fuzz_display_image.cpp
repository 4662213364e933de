// The display image read back in service mode: 1024 bytes of any content
// (or fewer, or more) turned into the 128 x 64 pixels the page draws.
#include "core/device/service_commands.h"
#include "fuzz_support.h"

using namespace velmar;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::WriteSeedsIfAsked(fuzz::PlainSeeds(kBitmapBytes));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Answer answer(data, size);
    tRX rx;
    for (uint8_t& b : rx.uBitmap) b = answer.Transfer().ReadByte();
    int lit = 0;
    const int rows = std::min(kImageHeight + rx.uYForHardCopy, kImageHeight);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < kImageWidth; ++x) lit += ImagePixelLit(rx.uBitmap, x, y);
    // Each lit pixel is one bit of the bytes received.
    int bits = 0;
    for (std::size_t i = 0; i < std::min(size, rx.uBitmap.size()); ++i) bits += __builtin_popcount(data[i]);
    if (lit != bits) fuzz::Fail("lit pixels differ from the bits received");
    return 0;
}
