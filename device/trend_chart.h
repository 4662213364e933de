#pragma once
// The trend's plots: the measured values with the limit lines and the
// output percentages above, the limit outputs' states as lanes below, on
// one time axis. It draws what it is handed; the thinning decides how much.

#include <QPen>
#include <QWidget>
#include <array>
#include <vector>

#include "device/trend_buffer.h"

class QAbstractAxis;
class QChart;
class QChartView;
class QDateTimeAxis;
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
    // Plots the thinned channels between fromMs and toMs.
    void Show(const TrendThinner& thinner, int64_t fromMs, int64_t toMs, const std::vector<LimitLine>& limits);
    void SetUnit(const QString& unit);

    // Points drawn by a channel, for tests.
    int PointCount(int channel) const;
    int VisibleLimitLines() const;

signals:
    // The mouse is over the plot at this time.
    void cursorMoved(double timeMs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Channel {
        QChart* chart = nullptr;
        QDateTimeAxis* timeAxis = nullptr;
        QAbstractAxis* valueAxis = nullptr;
        QString name;
        QPen pen;
        double offset = 0, scale = 1;  // relays are drawn in lanes
        std::vector<QLineSeries*> series;  // one per unbroken run
    };
    QChartView* MakeView(const char* name, QChart* chart);
    QDateTimeAxis* MakeTimeAxis(QChart* chart);
    QLineSeries* AddSeries(Channel& c);
    void ShowChannel(Channel& c, const TrendSegments& segments);
    void ShowLimits(const std::vector<LimitLine>& limits, int64_t fromMs, int64_t toMs);
    void ScaleValueAxis(const std::vector<LimitLine>& limits);

    QChart* values_;
    QChart* relays_;
    QChartView* valuesView_;
    QChartView* relaysView_;
    QDateTimeAxis* valuesTime_;
    QDateTimeAxis* relaysTime_;
    QValueAxis* valueAxis_;
    QValueAxis* percentAxis_;
    QCategoryAxis* laneAxis_;
    std::array<Channel, kTrendChannels> channels_;
    std::vector<QLineSeries*> limitSeries_;
    std::pair<double, double> valueRange_{0, 0};
};

}  // namespace velmar
