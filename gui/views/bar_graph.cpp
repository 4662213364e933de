#include "gui/views/bar_graph.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "core/device/number_mask.h"

namespace velmar {

namespace {

int Round(double value) { return static_cast<int>(RoundHalfEven(value)); }

// Values, range ends: not a number draws as the lower end.
double ClampUnit(double value) {
    if (std::isnan(value) || value < -1.0) return -1.0;
    if (value > 1.0) return 1.0;
    return value;
}

// A computed extent can come out negative (an empty band, for instance);
// such a shape is simply zero pixels wide or high.
void Place(QWidget* shape, int left, int top, int width, int height) {
    shape->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

// The label keeps its own font until the next text change, so a change of
// the widget's font must not reach it through Qt's font propagation.
QFont DetachedFont(QFont font) {
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    // A new palette costs the label a round of events; most texts keep theirs.
    if (label->palette().color(QPalette::WindowText) == colour) return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

TMBarShape::TMBarShape(const QColor& fill, QWidget* parent) : QWidget(parent), brush_(fill) {}

void TMBarShape::setBrushColor(const QColor& color) {
    if (color == brush_) return;
    brush_ = color;
    update();
}

void TMBarShape::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(brush_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TMBarGraph::TMBarGraph(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("MBarGraph"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // The panel colour shows wherever no child covers the client area.
    setAutoFillBackground(true);
    setMinimumSize(30, 5);
    resize(105, 17);

    // Creation order is stacking order: band, bar or marker, zero line, text.
    ShapeMinus = new TMBarShape(FMBGMinusColorAt1, this);
    ShapeMinus->setObjectName(QStringLiteral("ShapeMinus"));
    ShapeMinus->hide();
    ShapePlus = new TMBarShape(FMBGPlusColorAt1, this);
    ShapePlus->setObjectName(QStringLiteral("ShapePlus"));
    ShapePlus->hide();
    ShapeNull = new TMBarShape(QColor(0xFF, 0xFF, 0xFF), this);
    ShapeNull->setObjectName(QStringLiteral("ShapeNull"));
    LabelText = new QLabel(this);
    LabelText->setObjectName(QStringLiteral("LabelText"));
    LabelText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LabelText->setFont(DetachedFont(font()));
    SetTextColour(LabelText, Qt::black);
    LabelText->resize(0, QFontMetrics(LabelText->font()).height());
}

void TMBarGraph::setMBGOrientation(TMBGOrientation value) {
    // Stored before the constraints: a constraint may grow the widget, and
    // the pass of that resize must already see the new orientation.
    FMBGOrientation = value;
    if (value == orientationHorizontal)
        setMinimumSize(30, 6);
    else
        setMinimumSize(6, 30);
    UpdateLayout(true);
}

void TMBarGraph::setMBGValue(double value) {
    FMBGValueUnLimited = value;
    FMBGValueLimited = ClampUnit(value);
    UpdateLayout(false);
}

void TMBarGraph::setMBGValueFrom(double value) {
    FMBGValueFromUnLimited = value;
    FMBGValueFrom = ClampUnit(value);
    UpdateLayout(false);
}

void TMBarGraph::setMBGValueTo(double value) {
    FMBGValueToUnLimited = value;
    FMBGValueTo = ClampUnit(value);
    UpdateLayout(false);
}

void TMBarGraph::setMBGMinusColorAt0(const QColor& value) {
    FMBGMinusColorAt0 = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGMinusColorAt1(const QColor& value) {
    FMBGMinusColorAt1 = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGPlusColorAt0(const QColor& value) {
    FMBGPlusColorAt0 = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGPlusColorAt1(const QColor& value) {
    FMBGPlusColorAt1 = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGMode(TMBGMode value) {
    FMBGMode = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGInverseText(bool value) {
    FMBGInverseText = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGTextPosition(TMBGTextPosition value) {
    FMBGTextPosition = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGTextLeft(int value) {
    FMBGTextLeft = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGTextTop(int value) {
    FMBGTextTop = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGText(const QString& value) {
    // Set with every status answer; the same text needs no new layout.
    if (value == FMBGText && !bFirstInit) return;
    FMBGText = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGHeightOfFromTo(int value) {
    FMBGHeightOfFromTo = value;
    UpdateLayout(true);
}

void TMBarGraph::setMBGWidthOfFromTo(int value) {
    FMBGWidthOfFromTo = value;
    UpdateLayout(true);
}

void TMBarGraph::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    HandleResize();
}

void TMBarGraph::HandleResize() { UpdateLayout(true); }

void TMBarGraph::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    if (textPending_) PlaceUnsignedText();
}

void TMBarGraph::UpdateLayout(bool Force) {
    const bool changed = FMBGValueLimited != MBGValuePrevious || Force || bFirstInit;
    switch (FMBGMode) {
    case modeSigned: LayoutSigned(changed); break;
    case modeUnsigned: LayoutUnsigned(changed); break;
    case modeFromTo: LayoutFromTo(changed, Force); break;
    }
    bFirstInit = false;
    MBGValuePrevious = FMBGValueLimited;
    FMBGValueFromPrevious = FMBGValueFrom;
    FMBGValueToPrevious = FMBGValueTo;
}

void TMBarGraph::LayoutSigned(bool changed) {
    const int w = width() - 2;
    const int h = height() - 2;
    const double v = FMBGValueLimited;
    ShapeNull->show();
    if (FMBGOrientation == orientationHorizontal) {
        iMinusLeft = 1;
        iMinusRight = Round((width() - 1) / 2.0);
        iPlusLeft = iMinusRight + 3;
        iPlusRight = width() - 1;
        if (changed && v < 0) {
            const int left = iMinusRight + Round((iMinusRight - iMinusLeft) * v);
            Place(ShapeMinus, left, 1, iMinusRight - left, h);
            ShapeMinus->setBrushColor(BlendColor(FMBGMinusColorAt0, FMBGMinusColorAt1, -v));
            ShapeMinus->show();
            ShapePlus->hide();
        } else if (changed && v > 0) {
            Place(ShapePlus, iPlusLeft, 1, Round((iPlusRight - iPlusLeft) * v), h);
            ShapePlus->setBrushColor(BlendColor(FMBGPlusColorAt0, FMBGPlusColorAt1, v));
            ShapePlus->show();
            ShapeMinus->hide();
        }
        // A zero line alone stands for zero, whatever the previous picture.
        if (v == 0) {
            ShapeMinus->hide();
            ShapePlus->hide();
        }
        Place(ShapeNull, iMinusRight + 1, 1, iPlusLeft - iMinusRight - 2, h);
    } else {
        iPlusTop = 1;
        iPlusBottom = Round((height() - 1) / 2.0);
        iMinusTop = iPlusBottom + 3;
        iMinusBottom = height() - 1;
        if (changed && v < 0) {
            Place(ShapeMinus, 1, iMinusTop, w, Round((iMinusTop - iMinusBottom) * v));
            ShapeMinus->setBrushColor(BlendColor(FMBGMinusColorAt0, FMBGMinusColorAt1, -v));
            ShapeMinus->show();
            ShapePlus->hide();
        } else if (changed && v > 0) {
            const int span = iPlusBottom - iPlusTop;
            Place(ShapePlus, 1, iPlusTop + Round(span * (1.0 - v)), w, Round(span * v));
            ShapePlus->setBrushColor(BlendColor(FMBGPlusColorAt0, FMBGPlusColorAt1, v));
            ShapePlus->show();
            ShapeMinus->hide();
        }
        if (v == 0) {
            ShapeMinus->hide();
            ShapePlus->hide();
        }
        Place(ShapeNull, 1, iPlusBottom + 1, w, iMinusTop - iPlusBottom - 2);
    }
}

void TMBarGraph::LayoutUnsigned(bool changed) {
    const int w = width() - 2;
    const int h = height() - 2;
    const double v = FMBGValueLimited;
    ShapeNull->hide();
    if (FMBGOrientation == orientationHorizontal) {
        iMinusLeft = 1;
        iPlusRight = width() - 1;
        if (changed) {
            if (v < 0) {
                ShapeMinus->hide();
                ShapePlus->hide();
            } else {
                // At zero the bar is shown zero pixels wide.
                Place(ShapePlus, 1, 1, Round((iPlusRight - iMinusLeft) * v), h);
                ShapePlus->setBrushColor(BlendColor(FMBGPlusColorAt0, FMBGPlusColorAt1, v));
                ShapePlus->show();
                ShapeMinus->hide();
            }
        }
        PlaceUnsignedText();
    } else {
        iPlusTop = 1;
        iMinusBottom = height() - 1;
        if (changed) {
            if (v <= 0) {
                ShapeMinus->hide();
                ShapePlus->hide();
            } else {
                const int span = iMinusBottom - iPlusTop;
                Place(ShapePlus, 1, iPlusTop + Round(span * (1.0 - v)), w, Round(span * v));
                ShapePlus->setBrushColor(BlendColor(FMBGPlusColorAt0, FMBGPlusColorAt1, v));
                ShapePlus->show();
                ShapeMinus->hide();
            }
        }
    }
}

// The text is measured and placed only when it changes: the live header
// assigns value and text on every status answer and this keeps that cheap.
// Callers that want the text to follow the bar assign both together.
void TMBarGraph::PlaceUnsignedText() {
    if (FMBGText == LabelText->text()) return;
    // Out of sight the text waits until the bar is shown: measuring a new
    // text is the dearest part of a status answer.
    if (!isVisible()) {
        textPending_ = true;
        return;
    }
    textPending_ = false;
    const QFont detached = DetachedFont(font());
    if (LabelText->font() != detached || LabelText->font().resolveMask() != detached.resolveMask()) {
        LabelText->setFont(detached);
        textWidths_.clear();
    }
    LabelText->setText(FMBGText);
    const QFontMetrics metrics(LabelText->font());
    // The live texts come back again and again (a percentage, a current):
    // measuring one is the dearest part of a new text.
    if (textWidths_.size() > 512) textWidths_.clear();
    auto known = textWidths_.constFind(FMBGText);
    if (known == textWidths_.cend()) known = textWidths_.insert(FMBGText, metrics.horizontalAdvance(FMBGText));
    const int tw = *known;
    const int th = metrics.height();

    const QRect bar = ShapePlus->geometry();
    const int outside = bar.left() + bar.width() + 2;
    const int inside = bar.left() + bar.width() - 2 - tw;
    int left = 0;
    switch (FMBGTextPosition) {
    case tpInside: left = inside; break;
    case tpOutside: left = outside; break;
    case tpAuto:
        // Two thresholds, so a bar near the text width does not make the
        // text jump in and out on every small change.
        if (bar.width() < tw + 4) bNotEnoughtSpace = true;
        if (bar.width() > tw + 8) bNotEnoughtSpace = false;
        left = bNotEnoughtSpace ? outside : inside;
        break;
    case tpFix: left = FMBGTextLeft; break;
    case tpCentre: left = Round((iPlusRight - iMinusLeft) / 2.0) + bar.left() - Round(tw / 2.0); break;
    }
    const int top = FMBGTextPosition == tpFix ? FMBGTextTop : Round((bar.height() - th) / 2.0) + bar.top();
    LabelText->setGeometry(left, top, tw, th);
    SetTextColour(LabelText, FMBGInverseText ? InverseColor(ShapePlus->brushColor()) : QColor(Qt::black));
}

void TMBarGraph::LayoutFromTo(bool changed, bool force) {
    ShapeNull->hide();
    // Only the horizontal picture exists; a vertical one leaves the shapes
    // as they are.
    if (FMBGOrientation != orientationHorizontal) return;
    const int w = width() - 2;
    const int h = height() - 2;
    const double v = FMBGValueLimited;

    if (changed) {
        if (FMBGWidthOfFromTo < 1) {
            ShapePlus->hide();
        } else {
            const double m = v < 0 ? 0.0 : v;
            const int markerWidth = std::min(FMBGWidthOfFromTo, w);
            // Centred on 1 + W * m.
            Place(ShapePlus, 1 + Round(w * m - markerWidth / 2.0), 1, markerWidth, h);
            ShapePlus->setBrushColor(BlendColor(FMBGPlusColorAt0, FMBGPlusColorAt1, m));
            ShapePlus->show();
        }
    }

    const bool rangeChanged =
        FMBGValueFrom != FMBGValueFromPrevious || FMBGValueTo != FMBGValueToPrevious || force || bFirstInit;
    if (rangeChanged) {
        double lo = FMBGValueFrom;
        double hi = FMBGValueTo;
        if (hi < lo) std::swap(lo, hi);
        const int left = 1 + Round(w * lo);
        int top = 1;
        int bandHeight = h;
        if (FMBGHeightOfFromTo > 0 && FMBGHeightOfFromTo < bandHeight) {
            bandHeight = FMBGHeightOfFromTo;
            top = Round((height() - FMBGHeightOfFromTo) / 2.0);
        }
        Place(ShapeMinus, left, top, Round(w * hi - left), bandHeight);
        ShapeMinus->setBrushColor(BlendColor(FMBGMinusColorAt0, FMBGMinusColorAt1, (lo + hi) / 2.0));
        ShapeMinus->show();
    }
}

QColor TMBarGraph::BlendColor(const QColor& C0, const QColor& C1, double t) {
    if (std::isnan(t) || t > 1.0) t = 1.0;
    if (t < 0.0) t = 0.0;
    const auto mix = [t](int c0, int c1) { return std::clamp(c0 + Round((c1 - c0) * t), 0, 255); };
    return QColor(mix(C0.red(), C1.red()), mix(C0.green(), C1.green()), mix(C0.blue(), C1.blue()));
}

QColor TMBarGraph::InverseColor(const QColor& C) { return QColor(255 - C.red(), 255 - C.green(), 255 - C.blue()); }

int TMBarGraph::ColorChannel(const QColor& C, char letter) {
    switch (letter) {
    case 'R':
    case 'r': return C.red();
    case 'G':
    case 'g': return C.green();
    case 'B':
    case 'b': return C.blue();
    default: return 0;
    }
}

}  // namespace velmar
