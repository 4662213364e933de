#include "report/report_visit.h"

#include <set>

namespace velmar {

Visit VisitOf(const std::vector<JournalEntry>& entries, const QString& session) {
    std::size_t first = entries.size();
    if (session.isEmpty()) {
        // Back from the newest entry while the entries follow each other closely.
        while (first > 0 &&
               (first == entries.size() || entries[first - 1].time.secsTo(entries[first].time) <= kVisitPauseSeconds))
            --first;
    } else {
        for (first = 0; first < entries.size() && entries[first].session != session; ++first) {}
    }
    Visit v;
    std::set<std::string> written;
    for (std::size_t i = first; i < entries.size(); ++i) {
        const JournalEntry& e = entries[i];
        if (!session.isEmpty() && e.session != session) continue;
        if (e.kind == JournalEntry::Written) {
            written.insert(e.block);
            v.writes.push_back(e);
        } else if (!written.count(e.block)) {
            // A later reading after a write is not how the block was found.
            v.asFound.try_emplace(e.block, e.after);
        }
    }
    return v;
}

}  // namespace velmar
