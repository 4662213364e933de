#pragma once
// The trend's plots as the trend window uses them: the measured values with
// the limit lines and the output percentages above, the limit outputs'
// states as lanes below, on one time axis. They are drawn with Qt Charts,
// which takes longer to load than all the program's other libraries
// together; so they live in a module of their own (velmar_trend_chart),
// loaded when the trend window is first built rather than at every start.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/trend/trend_buffer.h"

class QWidget;

namespace velmar {

class TrendPlot {
public:
    struct LimitLine {
        int relay;  // 0..3
        QString name;  // "1. relé A"
        double value;  // decimals applied
    };
    // Each channel's thinned points, in runs between gaps.
    using Points = std::array<TrendSegments, kTrendChannels>;

    virtual ~TrendPlot() = default;

    // The plots' widget; its parent owns it, and this with it.
    virtual QWidget* Widget() = 0;
    // Plots a span of spanMs that ends at nowMs.
    virtual void Show(const Points& points, int64_t spanMs, int64_t nowMs, const std::vector<LimitLine>& limits) = 0;
    virtual void SetUnit(const QString& unit) = 0;
    // Told the time under the mouse while it is over the plot.
    virtual void SetCursorListener(std::function<void(double timeMs)> listener) = 0;

    // Points drawn by a channel, for tests.
    virtual int PointCount(int channel) const = 0;
    virtual int VisibleLimitLines() const = 0;
    // The newest moment shown, the right end of the time axis.
    virtual int64_t ShownNowMs() const = 0;
};

// The module's one entry: makes the plots as a child of parent.
using MakeTrendPlotFunction = TrendPlot* (*)(QWidget* parent);
inline constexpr char kMakeTrendPlotSymbol[] = "velmar_MakeTrendPlot";

// The plots from the module, loaded the first time; nullptr, with *error
// saying why, where it cannot be loaded.
TrendPlot* MakeTrendPlot(QWidget* parent, QString* error);

}  // namespace velmar
