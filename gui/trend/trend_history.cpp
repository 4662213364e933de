#include "gui/trend/trend_history.h"

#include <QDateTime>

#include "gui/app/form_main.h"

namespace velmar {

TrendHistory::TrendHistory(TForm1& main) : QObject(&main), ring_(kRingCapacity) {
    setObjectName("TrendHistory");
    connect(&main, &TForm1::statusAnswered, this, [this, &main] { AddStatus(main.recRX); });
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

TrendHistory& TrendHistoryOf(TForm1& main) {
    auto* history = main.findChild<TrendHistory*>("TrendHistory", Qt::FindDirectChildrenOnly);
    return history ? *history : *new TrendHistory(main);
}

}  // namespace velmar
