#pragma once
// The trend's plots: the measured values with the limit lines and the
// output percentages above, the limit outputs' states as lanes below, on
// one time axis. It draws what it is handed; the thinning decides how much.
// The time axis counts back from the newest moment shown, so that its
// labels stand still while the plot moves: relaying out the labels of a
// sliding clock-time axis would cost more than all the rest.

#include <QPen>
#include <QWidget>
#include <array>
#include <vector>

#include "core/trend/trend_buffer.h"

class QAbstractAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QCategoryAxis;

namespace velmar {

class TrendChart : public QWidget {
    Q_OBJECT
public:
    explicit TrendChart(QWidget* parent = nullptr);

    struct LimitLine {
        int relay;  // 0..3
        QString name;  // "1. relé A"
        double value;  // decimals applied
    };
    // Plots the thinned channels of the span that ends at nowMs.
    void Show(const TrendThinner& thinner, int64_t nowMs, const std::vector<LimitLine>& limits);
    void SetUnit(const QString& unit);

    // Points drawn by a channel, for tests.
    int PointCount(int channel) const;
    int VisibleLimitLines() const;
    // The newest moment shown, the right end of the time axis.
    int64_t ShownNowMs() const { return nowMs_; }

signals:
    // The mouse is over the plot at this time.
    void cursorMoved(double timeMs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Channel {
        QChart* chart = nullptr;
        QValueAxis* timeAxis = nullptr;
        QAbstractAxis* valueAxis = nullptr;
        QString name;
        QPen pen;
        double offset = 0, scale = 1;  // relays are drawn in lanes
        std::vector<QLineSeries*> series;  // one per unbroken run
    };
    QChartView* MakeView(const char* name, QChart* chart);
    void AlignRelayPlot();
    QValueAxis* MakeTimeAxis(QChart* chart);
    void SetSpan(int64_t spanMs);
    QLineSeries* AddSeries(Channel& c);
    void ShowChannel(Channel& c, const TrendSegments& segments);
    bool SameLine(const QList<QPointF>& shown, const QList<QPointF>& points) const;
    void ShowLimits(const std::vector<LimitLine>& limits);
    // Milliseconds to the time axis, which counts back from nowMs_.
    double X(double timeMs) const { return (timeMs - double(nowMs_)) / double(unitMs_); }
    // Round ends around the values and limits shown.
    void ScaleValueAxis(double lo, double hi);

    QChart* values_;
    QChart* relays_;
    QChartView* valuesView_;
    QChartView* relaysView_;
    QValueAxis* valuesTime_;
    QValueAxis* relaysTime_;
    int64_t spanMs_ = 0;
    int64_t unitMs_ = 1000;  // seconds, or minutes for the longer spans
    int64_t nowMs_ = 0;
    QValueAxis* valueAxis_;
    QValueAxis* percentAxis_;
    QCategoryAxis* laneAxis_;
    std::array<Channel, kTrendChannels> channels_;
    std::vector<QLineSeries*> limitSeries_;
    std::pair<double, double> valueRange_{0, 0};
};

}  // namespace velmar
