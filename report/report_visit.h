#pragma once
// What the journal tells of one visit to an instrument: each block as it
// was found before anything was written to it, and the writes made.

#include <QString>
#include <vector>

#include "core/settings/block_compare.h"
#include "files/settings_journal.h"

namespace velmar {

struct Visit {
    BlockImages asFound;  // blocks read before any write to them this visit
    std::vector<JournalEntry> writes;  // in the order they were made
    bool Known() const { return !asFound.empty() || !writes.empty(); }
};

// The command-line tool attaches anew for every command, so its visit is
// the run of entries with no pause longer than this between them.
inline constexpr qint64 kVisitPauseSeconds = 2 * 3600;

// The visit of one attach (session), or, with an empty session, the last
// run of entries without a long pause.
Visit VisitOf(const std::vector<JournalEntry>& entries, const QString& session = {});

}  // namespace velmar
