#pragma once
// The trend's samples since the program started, kept whether or not the
// trend window has been opened: the window, built when first opened, shows
// them all. The ring grows with the samples, up to an hour of them.

#include <QObject>

#include "core/device/records.h"
#include "core/trend/trend_buffer.h"

namespace velmar {

struct InstrumentContext;

class TrendHistory : public QObject {
    Q_OBJECT
public:
    // Takes a sample of each status answer.
    TrendHistory(InstrumentContext& ctx, QObject* parent);

    // An hour of status answers at the fastest polling.
    static constexpr std::size_t kRingCapacity = 3600 * 40;
    // Without an answer for this long the link counts as lost.
    static constexpr int64_t kGapMs = 2500;

    // Status answer: one sample, after a gap when the answers had stopped.
    void AddStatus(const tRX& rx);
    void Append(const TrendSample& s);
    const TrendRing& Ring() const { return ring_; }

signals:
    // Every sample added (the window's recording takes them).
    void appended(const TrendSample& s);

private:
    TrendRing ring_;
};

}  // namespace velmar
