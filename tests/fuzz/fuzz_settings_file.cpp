// A settings file of any content, as "Betöltés és összehasonlítás…" reads
// it for a PX330. A file that is taken must save again and load back the
// same, and compare with the instrument's blocks without trouble.
#include <QByteArray>
#include <QString>

#include "core/settings/block_compare.h"
#include "files/settings_file.h"
#include "fuzz_support.h"

using namespace velmar;

namespace {

// Every block the program knows, with plain bytes, as a saved file.
QByteArray EveryBlockFile() {
    SettingsSnapshot s;
    s.identity = {330, 4711, 22, 7, "2022.07.21"};
    s.measuredDecimals = 1;
    for (const SettingsBlockInfo& info : SettingsBlocks()) {
        Bytes bytes(info.size);
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 3);
        s.blocks[info.name] = bytes;
    }
    return WriteSettingsFile(s, "fuzz");
}

fuzz::Bytes BytesOf(const QByteArray& a) { return fuzz::Bytes(a.begin(), a.end()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::WriteSeedsIfAsked({{"every-block", BytesOf(EveryBlockFile())},
                             {"empty-object", BytesOf("{\"format\": 1, \"instrument\": {\"deviceType\": 330}}")}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto taken = ReadSettingsFile(file, 330, &error);
    if (!taken) {
        if (error.isEmpty()) fuzz::Fail("a file refused without a reason");
        return 0;
    }
    const auto again = ReadSettingsFile(WriteSettingsFile(*taken, "fuzz"), 330, &error);
    if (!again) fuzz::Fail("a file taken does not load again once saved");
    if (again->blocks != taken->blocks || again->measuredDecimals != taken->measuredDecimals)
        fuzz::Fail("a file taken loads otherwise once saved");

    SameBlocks(*taken, BlocksOf({330, 1, 4, 2, true}), &error);
    const auto rows = CompareBlocks(taken->blocks, taken->measuredDecimals, taken->blocks, 0);
    TakeChosen(taken->blocks, taken->blocks, rows, std::vector<bool>(rows.size(), true));
    return 0;
}
