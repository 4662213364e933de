#include "gui/trend/trend_history.h"

#include <QDateTime>

#include "gui/link/instrument_context.h"

namespace velmar {

TrendHistory::TrendHistory(InstrumentContext& ctx, QObject* parent) : QObject(parent), ring_(kRingCapacity) {
    setObjectName("TrendHistory");
    connect(&ctx.events, &InstrumentEvents::statusAnswered, this, [this, &ctx] { AddStatus(ctx.recRX); });
}

void TrendHistory::AddStatus(const tRX& rx) {
    const TrendSample s = TrendSampleOf(rx, QDateTime::currentMSecsSinceEpoch());
    // An answer after a long silence: the silence is a gap, not a line.
    if (const TrendSample* last = ring_.Newest(); last && !last->gap && s.timeMs - last->timeMs > kGapMs) {
        TrendSample gap;
        gap.timeMs = last->timeMs + 1;
        gap.gap = true;
        Append(gap);
    }
    Append(s);
}

void TrendHistory::Append(const TrendSample& s) {
    ring_.Append(s);
    emit appended(s);
}

}  // namespace velmar
