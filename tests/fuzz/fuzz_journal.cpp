// A journal file of any content, as the "Előzmények…" window lists it and
// restores its last "as found" state through the compare table.
#include <QByteArray>

#include "core/settings/block_compare.h"
#include "files/settings_journal.h"
#include "fuzz_support.h"

using namespace velmar;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string lines =
        "{\"time\":\"2026-12-10T10:00:00.000Z\",\"kind\":\"asFound\",\"session\":\"a\",\"block\":\"display\","
        "\"after\":\"0102030405\"}\n"
        "{\"time\":\"2026-12-10T10:01:00.000Z\",\"kind\":\"written\",\"session\":\"a\",\"block\":\"display\","
        "\"before\":\"0102030405\",\"after\":\"0102030406\"}\n";
    fuzz::WriteSeedsIfAsked({{"two-entries", fuzz::Bytes(lines.begin(), lines.end())}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<JournalEntry> entries = ParseJournal(text);
    for (const JournalEntry& e : entries)
        if (!FindSettingsBlock(e.block)) fuzz::Fail("an entry of an unknown block listed");
    const BlockImages found = LastAsFoundOf(entries);
    BlockImages now;
    for (const auto& [name, bytes] : found) now[name] = Bytes(FindSettingsBlock(name)->size, 0);
    const auto rows = CompareBlocks(now, 1, found, 1);
    TakeChosen(now, found, rows, std::vector<bool>(rows.size(), true));
    return 0;
}
