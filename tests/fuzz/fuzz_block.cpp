// One settings block (VELMAR_FUZZ_BLOCK names it) as an instrument may
// answer it: its fields listed and shown, its factory values taken, and the
// block saved to a settings file and read back. Whatever the instrument
// sent, a file saved from it must load again with the very same bytes, or
// the restore would write something else than was saved.
//
// An input is one byte with the measured value's decimals, then the answer.
#include <QByteArray>
#include <QString>

#include "core/settings/block_compare.h"
#include "core/settings/block_transfer.h"
#include "files/settings_file.h"
#include "fuzz_support.h"

using namespace velmar;

namespace {
const SettingsBlockInfo& Block() {
    static const SettingsBlockInfo* info = FindSettingsBlock(VELMAR_FUZZ_BLOCK);
    if (!info) fuzz::Fail("no such block: " VELMAR_FUZZ_BLOCK);
    return *info;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    auto seeds = fuzz::PlainSeeds(Block().size + 1);
    for (auto& s : seeds) s.second[0] = 1;  // one decimal
    fuzz::WriteSeedsIfAsked(seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const SettingsBlockInfo& info = Block();
    const int decimals = data[0] % 5;
    const Bytes bytes(data + 1, data + size);

    // What the program keeps of the answer, as the dialogs and files read it.
    if (!BlockAnswerFits(info, bytes)) return 0;  // refused when read
    std::string texts;
    for (const BlockField& f : info.fields(bytes, decimals)) {
        if (f.offset + f.width > info.size) fuzz::Fail("field beyond the block");
        texts += FieldValueText(f);
    }
    info.defaultsAsBlock(bytes, bytes);

    SettingsSnapshot saved;
    saved.identity.deviceType = 330;
    saved.measuredDecimals = decimals;
    saved.blocks[info.name] = bytes;
    const QByteArray file = WriteSettingsFile(saved, "fuzz");
    QString error;
    const auto loaded = ReadSettingsFile(file, 330, &error);
    if (!loaded) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        fuzz::Fail("a saved block does not load again");
    }
    if (loaded->blocks.at(info.name) != bytes) fuzz::Fail("a saved block loads with other bytes");

    const BlockImages images{{info.name, bytes}};
    for (const FieldRow& row : CompareBlocks(images, decimals, images, decimals))
        if (row.differs) fuzz::Fail("a block differs from itself");
    return 0;
}
