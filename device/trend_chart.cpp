#include "device/trend_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <QVBoxLayout>
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
const char* const kChannelNames[kTrendChannels] = {"Mért érték 1", "Mért érték 2", "Kimenet 1 (%)", "Kimenet 2 (%)",
                                                   "1. relé",      "2. relé",      "3. relé",       "4. relé"};
}  // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
    values_ = new QChart;
    relays_ = new QChart;
    for (QChart* c : {values_, relays_}) {
        c->setAnimationOptions(QChart::NoAnimation);
        c->setMargins(QMargins(4, 4, 4, 4));
    }
    relays_->legend()->hide();
    valuesView_ = MakeView("ChartView_TrendValues", values_);
    relaysView_ = MakeView("ChartView_TrendRelays", relays_);
    valuesTime_ = MakeTimeAxis(values_);
    relaysTime_ = MakeTimeAxis(relays_);

    valueAxis_ = new QValueAxis;
    valueAxis_->setTitleText(QString::fromUtf8("Mért érték"));
    values_->addAxis(valueAxis_, Qt::AlignLeft);
    percentAxis_ = new QValueAxis;
    percentAxis_->setRange(-5, 105);
    percentAxis_->setTitleText("%");
    values_->addAxis(percentAxis_, Qt::AlignRight);
    laneAxis_ = new QCategoryAxis;
    laneAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    for (int r = kTrendRelays - 1; r >= 0; --r)
        laneAxis_->append(QString::fromUtf8(kChannelNames[kTrendRelay1 + r]), (kTrendRelays - r) * kLaneHeight);
    laneAxis_->setRange(0, kTrendRelays * kLaneHeight);
    relays_->addAxis(laneAxis_, Qt::AlignLeft);

    for (int i = 0; i < kTrendChannels; ++i) {
        Channel& c = channels_[std::size_t(i)];
        const bool relay = i >= kTrendRelay1;
        c.chart = relay ? relays_ : values_;
        c.timeAxis = relay ? relaysTime_ : valuesTime_;
        c.valueAxis = relay ? static_cast<QAbstractAxis*>(laneAxis_)
                            : i <= kTrendValue2 ? static_cast<QAbstractAxis*>(valueAxis_) : percentAxis_;
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
}

QChartView* TrendChart::MakeView(const char* name, QChart* chart) {
    auto* view = new QChartView(chart, this);
    view->setObjectName(name);
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
    return view;
}

QDateTimeAxis* TrendChart::MakeTimeAxis(QChart* chart) {
    auto* axis = new QDateTimeAxis;
    axis->setFormat("HH:mm:ss");
    axis->setTickCount(7);
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
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

void TrendChart::ShowChannel(Channel& c, const TrendSegments& segments) {
    std::size_t runs = std::min(segments.size(), kMaxRuns);
    while (c.series.size() < runs) AddSeries(c);
    const std::size_t joined = segments.size() - runs;  // segments that go into the first run
    std::size_t next = 0;
    for (std::size_t i = 0; i < c.series.size(); ++i) {
        QList<QPointF> points;
        const std::size_t upTo = i == 0 ? joined + 1 : 1;
        for (std::size_t k = 0; k < upTo && next < segments.size(); ++k, ++next)
            for (const TrendPoint& p : segments[next]) points.append(QPointF(p.timeMs, c.offset + c.scale * p.value));
        if (points.isEmpty() && c.series[i]->count() == 0) continue;
        c.series[i]->replace(points);
    }
}

void TrendChart::Show(const TrendThinner& thinner, int64_t fromMs, int64_t toMs, const std::vector<LimitLine>& limits) {
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(fromMs), to = QDateTime::fromMSecsSinceEpoch(toMs);
    valuesTime_->setRange(from, to);
    relaysTime_->setRange(from, to);
    for (int i = 0; i < kTrendChannels; ++i) ShowChannel(channels_[std::size_t(i)], thinner.Points(i));
    ShowLimits(limits, fromMs, toMs);
    ScaleValueAxis(limits);
}

void TrendChart::ShowLimits(const std::vector<LimitLine>& limits, int64_t fromMs, int64_t toMs) {
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
            s->setVisible(false);
            continue;
        }
        const LimitLine& l = limits[i];
        if (s->name() != l.name) {
            s->setName(l.name);
            s->setPen(QPen(kChannelColours[kTrendRelay1 + l.relay], 1, Qt::DashLine));
        }
        s->replace(QList<QPointF>{QPointF(double(fromMs), l.value), QPointF(double(toMs), l.value)});
        s->setVisible(true);
    }
}

void TrendChart::ScaleValueAxis(const std::vector<LimitLine>& limits) {
    double lo = INFINITY, hi = -INFINITY;
    for (int i = kTrendValue1; i <= kTrendValue2; ++i)
        for (QLineSeries* s : channels_[std::size_t(i)].series)
            for (const QPointF& p : s->points()) lo = std::min(lo, p.y()), hi = std::max(hi, p.y());
    for (const LimitLine& l : limits) lo = std::min(lo, l.value), hi = std::max(hi, l.value);
    if (lo > hi) lo = 0, hi = 1;
    const double margin = hi > lo ? (hi - lo) * 0.05 : std::max(std::abs(hi) * 0.05, 0.5);
    const std::pair<double, double> range{lo - margin, hi + margin};
    if (range == valueRange_) return;
    valueRange_ = range;
    valueAxis_->setRange(range.first, range.second);
}

void TrendChart::SetUnit(const QString& unit) {
    const QString title = unit.isEmpty() ? QString::fromUtf8("Mért érték") : QString::fromUtf8("Mért érték (%1)").arg(unit);
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
            const QPointF at = chart->mapFromScene(view->mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint()));
            if (chart->plotArea().contains(at)) {
                QLineSeries* any = channels_[chart == values_ ? kTrendValue1 : kTrendRelay1].series.front();
                emit cursorMoved(chart->mapToValue(at, any).x());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velmar
