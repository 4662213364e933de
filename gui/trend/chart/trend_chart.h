#pragma once
// The trend's plots drawn with Qt Charts, in the module velmar_trend_chart.
// It draws what it is handed; the thinning decides how much.
// The time axis counts back from the newest moment shown, so that its
// labels stand still while the plot moves: relaying out the labels of a
// sliding clock-time axis would cost more than all the rest.

#include <QPen>
#include <QWidget>
#include <array>
#include <vector>

#include "gui/trend/trend_plot.h"

class QAbstractAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QCategoryAxis;

namespace velmar {

class TrendChart : public QWidget, public TrendPlot {
    Q_OBJECT
public:
    explicit TrendChart(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void Show(const Points& points, int64_t spanMs, int64_t nowMs, const std::vector<LimitLine>& limits) override;
    void SetUnit(const QString& unit) override;
    void SetCursorListener(std::function<void(double timeMs)> listener) override { cursor_ = std::move(listener); }

    int PointCount(int channel) const override;
    int VisibleLimitLines() const override;
    int64_t ShownNowMs() const override { return nowMs_; }

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
    std::function<void(double)> cursor_;
};

}  // namespace velmar
