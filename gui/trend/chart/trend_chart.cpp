#include "gui/trend/chart/trend_chart.h"

#include <QGraphicsLayout>

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace velmar {

namespace {
// Runs of a channel between gaps that get their own line; beyond this the
// oldest are joined, so a link that drops all the time cannot make the
// chart grow without end.
constexpr std::size_t kMaxRuns = 24;
constexpr double kLaneHeight = 1.5, kOnHeight = 1.0;

const QColor kChannelColours[kTrendChannels] = {
    QColor(0x00, 0x00, 0xC0), QColor(0x00, 0x80, 0x80), QColor(0x00, 0xA0, 0x00), QColor(0x60, 0x80, 0x00),
    QColor(0xD0, 0x00, 0x00), QColor(0xE0, 0x80, 0x00), QColor(0xA0, 0x00, 0xA0), QColor(0x80, 0x50, 0x20)};
// The percentages are where the measured values stand in the input's range,
// as the header's bars show them; no output's value.
const char* const kChannelNames[kTrendChannels] = {
    "Mért érték 1", "Mért érték 2", "Érték 1 a tartományban (%)", "Érték 2 a tartományban (%)", "1. relé", "2. relé",
    "3. relé",      "4. relé"};
}  // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
    values_ = new QChart;
    relays_ = new QChart;
    for (QChart* c : {values_, relays_}) {
        c->setAnimationOptions(QChart::NoAnimation);
        // The axes' numbers with the system's decimal separator, as everywhere else.
        c->setLocalizeNumbers(true);
        c->setMargins(QMargins(4, 4, 4, 4));
    }
    relays_->legend()->hide();
    valuesView_ = MakeView("ChartView_TrendValues", values_);
    relaysView_ = MakeView("ChartView_TrendRelays", relays_);
    valuesTime_ = MakeTimeAxis(values_);
    relaysTime_ = MakeTimeAxis(relays_);
    // The lanes share the time axis above; their own grid is enough.
    relaysTime_->setLabelsVisible(false);
    relaysTime_->setTitleVisible(false);

    valueAxis_ = new QValueAxis;
    valueAxis_->setTitleText(QString::fromUtf8("Mért érték"));
    values_->addAxis(valueAxis_, Qt::AlignLeft);
    percentAxis_ = new QValueAxis;
    percentAxis_->setRange(-5, 105);
    // Quarters from 0, a little room beyond both ends for a line at 0 or
    // 100 %; its grid would cross that of the measured value, so only
    // its ticks are drawn.
    percentAxis_->setTickType(QValueAxis::TicksDynamic);
    percentAxis_->setTickAnchor(0);
    percentAxis_->setTickInterval(25);
    percentAxis_->setLabelFormat("%.0f");
    percentAxis_->setGridLineVisible(false);
    percentAxis_->setTitleText("%");
    values_->addAxis(percentAxis_, Qt::AlignRight);
    laneAxis_ = new QCategoryAxis;
    laneAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    for (int r = kTrendRelays - 1; r >= 0; --r)
        laneAxis_->append(QString::fromUtf8(kChannelNames[kTrendRelay1 + r]), (kTrendRelays - r) * kLaneHeight);
    laneAxis_->setRange(0, kTrendRelays * kLaneHeight);
    // Their room is the values' axis room above: whole names fit in it.
    laneAxis_->setTruncateLabels(false);
    relays_->addAxis(laneAxis_, Qt::AlignLeft);

    for (int i = 0; i < kTrendChannels; ++i) {
        Channel& c = channels_[std::size_t(i)];
        const bool relay = i >= kTrendRelay1;
        c.chart = relay ? relays_ : values_;
        c.timeAxis = relay ? relaysTime_ : valuesTime_;
        c.valueAxis = relay               ? static_cast<QAbstractAxis*>(laneAxis_)
                      : i <= kTrendValue2 ? static_cast<QAbstractAxis*>(valueAxis_)
                                          : percentAxis_;
        c.name = QString::fromUtf8(kChannelNames[i]);
        c.pen = QPen(kChannelColours[i], i <= kTrendValue2 ? 2 : 1);
        if (relay) {
            // Relay 1 in the top lane, switched on it rises by kOnHeight.
            c.offset = (kTrendRelays - 1 - (i - kTrendRelay1)) * kLaneHeight + 0.25;
            c.scale = kOnHeight;
        }
        AddSeries(c);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(valuesView_, 3);
    layout->addWidget(relaysView_, 1);
    // The lanes' plot under the values' plot, edge on edge: one moment at
    // one x in both, and room on the left for the lanes' names.
    connect(values_, &QChart::plotAreaChanged, this, &TrendChart::AlignRelayPlot);
    connect(relays_, &QChart::geometryChanged, this, &TrendChart::AlignRelayPlot);
}

void TrendChart::AlignRelayPlot() {
    const QRectF values = values_->plotArea();
    const double top = 6, bottom = 10;
    const QRectF lanes(values.left(), top, values.width(), std::max(0.0, relays_->size().height() - top - bottom));
    if (!lanes.isValid() || relays_->plotArea() == lanes) return;
    relays_->setPlotArea(lanes);
    // The series follow the new area at once, the axes' grid only at the
    // chart's next layout: without one it keeps the lanes' old size.
    if (QGraphicsLayout* layout = relays_->layout()) layout->invalidate();
}

QChartView* TrendChart::MakeView(const char* name, QChart* chart) {
    auto* view = new QChartView(chart, this);
    view->setObjectName(name);
    // Its items move with every redraw: keeping them in a search index costs
    // more than it saves.
    view->scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    // Nothing is drawn smoothed: the painter need not be saved per item.
    view->setOptimizationFlags(QGraphicsView::DontSavePainterState | QGraphicsView::DontAdjustForAntialiasing);
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
    return view;
}

QValueAxis* TrendChart::MakeTimeAxis(QChart* chart) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat("%.0f");
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

void TrendChart::SetSpan(int64_t spanMs) {
    if (spanMs == spanMs_) return;
    spanMs_ = spanMs;
    unitMs_ = spanMs > 60'000 ? 60'000 : 1000;
    const double length = double(spanMs) / double(unitMs_);
    const int ticks = length <= 10 ? int(length) + 1 : 7;
    for (QValueAxis* axis : {valuesTime_, relaysTime_}) {
        axis->setRange(-length, 0);
        axis->setTickCount(ticks);
    }
    valuesTime_->setTitleText(unitMs_ == 1000 ? QString::fromUtf8("Idő (s)") : QString::fromUtf8("Idő (perc)"));
}

QLineSeries* TrendChart::AddSeries(Channel& c) {
    auto* s = new QLineSeries;
    s->setName(c.name);
    s->setPen(c.pen);
    c.chart->addSeries(s);
    s->attachAxis(c.timeAxis);
    s->attachAxis(c.valueAxis);
    // One entry in the legend per channel, however many runs it has.
    if (!c.series.empty())
        for (QLegendMarker* m : c.chart->legend()->markers(s)) m->setVisible(false);
    c.series.push_back(s);
    return s;
}

bool TrendChart::SameLine(const QList<QPointF>& shown, const QList<QPointF>& points) const {
    // A line that moved by less than a pixel is not drawn again: a level
    // stretch, as of a limit output that stands still, keeps its ends.
    if (shown.size() != points.size()) return false;
    const double tolerance = (valuesTime_->max() - valuesTime_->min()) / 600.0;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (std::abs(shown[i].x() - points[i].x()) > tolerance || shown[i].y() != points[i].y()) return false;
    return true;
}

void TrendChart::ShowChannel(Channel& c, const TrendSegments& segments) {
    std::size_t runs = std::min(segments.size(), kMaxRuns);
    while (c.series.size() < runs) AddSeries(c);
    const std::size_t joined = segments.size() - runs;  // segments that go into the first run
    std::size_t next = 0;
    for (std::size_t i = 0; i < c.series.size(); ++i) {
        QList<QPointF> points;
        const std::size_t upTo = i == 0 ? joined + 1 : 1;
        for (std::size_t k = 0; k < upTo && next < segments.size(); ++k, ++next)
            for (const TrendPoint& p : segments[next]) {
                const QPointF q(std::max(X(p.timeMs), valuesTime_->min()), c.offset + c.scale * p.value);
                // The middle of a level stretch adds nothing to the line.
                if (points.size() >= 2 && points.last().y() == q.y() && points[points.size() - 2].y() == q.y())
                    points.last() = q;
                else
                    points.append(q);
            }
        if (!SameLine(c.series[i]->points(), points)) c.series[i]->replace(points);
    }
}

void TrendChart::Show(const Points& points, int64_t spanMs, int64_t nowMs, const std::vector<LimitLine>& limits) {
    SetSpan(spanMs);
    nowMs_ = nowMs;
    double lo = INFINITY, hi = -INFINITY;
    for (int i = 0; i < kTrendChannels; ++i) {
        const TrendSegments& segments = points[std::size_t(i)];
        if (i <= kTrendValue2)
            for (const auto& run : segments)
                for (const TrendPoint& p : run) lo = std::min(lo, p.value), hi = std::max(hi, p.value);
        ShowChannel(channels_[std::size_t(i)], segments);
        // The legend names what this instrument gives: a channel without a
        // point (the second value of an instrument without one) is left out.
        const bool drawn = std::any_of(segments.begin(), segments.end(), [](const auto& run) { return !run.empty(); });
        Channel& c = channels_[std::size_t(i)];
        if (i < kTrendRelay1)
            for (QLegendMarker* m : c.chart->legend()->markers(c.series.front()))
                if (m->isVisible() != drawn) m->setVisible(drawn);
    }
    ShowLimits(limits);
    for (const LimitLine& l : limits) lo = std::min(lo, l.value), hi = std::max(hi, l.value);
    ScaleValueAxis(lo, hi);
}

void TrendChart::ShowLimits(const std::vector<LimitLine>& limits) {
    while (limitSeries_.size() < limits.size()) {
        auto* s = new QLineSeries;
        values_->addSeries(s);
        s->attachAxis(valuesTime_);
        s->attachAxis(valueAxis_);
        limitSeries_.push_back(s);
    }
    for (std::size_t i = 0; i < limitSeries_.size(); ++i) {
        QLineSeries* s = limitSeries_[i];
        if (i >= limits.size()) {
            if (s->isVisible()) s->setVisible(false);
            continue;
        }
        const LimitLine& l = limits[i];
        if (s->name() != l.name) {
            s->setName(l.name);
            s->setPen(QPen(kChannelColours[kTrendRelay1 + l.relay], 1, Qt::DashLine));
        }
        const QList<QPointF> ends{QPointF(valuesTime_->min(), l.value), QPointF(0, l.value)};
        if (s->points() != ends) s->replace(ends);
        if (!s->isVisible()) s->setVisible(true);
    }
}

void TrendChart::ScaleValueAxis(double lo, double hi) {
    if (lo > hi) lo = 0, hi = 1;
    // Ends on round numbers, a tenth of the span or so: the axis and its
    // labels then change only when the values leave them, not with every
    // redraw.
    const double span = hi > lo ? hi - lo : std::max(std::abs(hi), 1.0);
    const double step = std::pow(10.0, std::floor(std::log10(span)));
    const std::pair<double, double> range{std::floor(lo / step - 0.5) * step, std::ceil(hi / step + 0.5) * step};
    if (range == valueRange_) return;
    valueRange_ = range;
    valueAxis_->setRange(range.first, range.second);
}

void TrendChart::SetUnit(const QString& unit) {
    const QString title =
        unit.isEmpty() ? QString::fromUtf8("Mért érték") : QString::fromUtf8("Mért érték (%1)").arg(unit);
    if (valueAxis_->titleText() != title) valueAxis_->setTitleText(title);
}

int TrendChart::PointCount(int channel) const {
    int n = 0;
    for (QLineSeries* s : channels_[std::size_t(channel)].series) n += s->count();
    return n;
}

int TrendChart::VisibleLimitLines() const {
    return int(std::count_if(limitSeries_.begin(), limitSeries_.end(), [](QLineSeries* s) { return s->isVisible(); }));
}

bool TrendChart::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (QChartView* view : {valuesView_, relaysView_}) {
            if (watched != view->viewport()) continue;
            QChart* chart = view->chart();
            const QPointF at =
                chart->mapFromScene(view->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint()));
            if (chart->plotArea().contains(at)) {
                QLineSeries* any = channels_[chart == values_ ? kTrendValue1 : kTrendRelay1].series.front();
                if (cursor_) cursor_(double(nowMs_) + chart->mapToValue(at, any).x() * double(unitMs_));
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velmar

extern "C" Q_DECL_EXPORT velmar::TrendPlot* velmar_MakeTrendPlot(QWidget* parent) {
    return new velmar::TrendChart(parent);
}
