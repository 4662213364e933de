// The bar graph: where its children go and how they are coloured for each
// mode, orientation and value, the text placement rules and the passes it
// skips when nothing changed.
#include <QLabel>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "core/device/number_mask.h"
#include "gui/views/bar_graph.h"

static void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
static void PrintTo(const QColor& c, std::ostream* os) { *os << c.name().toStdString(); }

namespace velmar {
namespace {

using G = TMBarGraph;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QColor Rgb(QRgb rgb) { return QColor::fromRgb(rgb); }
int Round(double v) { return static_cast<int>(RoundHalfEven(v)); }

// A bar graph on a shown host, so size changes reach it at once.
struct Hosted {
    QWidget host;
    TMBarGraph* bar;
    explicit Hosted(QSize size, G::TMBGOrientation orientation = G::orientationHorizontal) {
        host.resize(600, 200);
        bar = new TMBarGraph(&host);
        bar->setMBGOrientation(orientation);
        bar->setGeometry(QRect(QPoint(0, 0), size));
        host.show();
    }
    TMBarShape* minus() const { return bar->findChild<TMBarShape*>("ShapeMinus"); }
    TMBarShape* plus() const { return bar->findChild<TMBarShape*>("ShapePlus"); }
    TMBarShape* null() const { return bar->findChild<TMBarShape*>("ShapeNull"); }
    QLabel* label() const { return bar->findChild<QLabel*>("LabelText"); }
};

struct Shape {
    bool shown = false;
    QRect rect;  // rect and fill are checked only when shown
    QRgb fill = 0;
};

void ExpectShape(const TMBarShape* shape, const Shape& want, const char* which) {
    SCOPED_TRACE(which);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(!shape->isHidden(), want.shown);
    if (!want.shown) return;
    EXPECT_EQ(shape->geometry(), want.rect);
    EXPECT_EQ(shape->brushColor(), Rgb(want.fill));
}

struct GeometryCase {
    const char* name;
    G::TMBGMode mode;
    G::TMBGOrientation orientation = G::orientationHorizontal;
    QSize size{105, 17};
    double value = 0.5;
    double from = 0.25;
    double to = 0.75;
    int heightOfFromTo = 0;
    int widthOfFromTo = 0;
    Shape minus{};
    Shape plus{};
    Shape null{};
};
void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

constexpr auto H = G::orientationHorizontal;
constexpr auto V = G::orientationVertical;
// The white zero line: 105 wide, the halves end at 52 and start at 55.
const Shape kNullH{true, {53, 1, 1, 15}, 0xFFFFFF};
const Shape kNullV{true, {1, 53, 15, 1}, 0xFFFFFF};

const GeometryCase kGeometry[] = {
    // Signed: white to blue below zero, white to red above.
    {.name = "SignedHalfPlus",
     .mode = G::modeSigned,
     .value = 0.5,
     .plus = {true, {55, 1, 24, 15}, 0xFF7F7F},
     .null = kNullH},
    {.name = "SignedHalfMinus",
     .mode = G::modeSigned,
     .value = -0.5,
     .minus = {true, {26, 1, 26, 15}, 0x7F7FFF},
     .null = kNullH},
    {.name = "SignedZeroShowsOnlyTheZeroLine", .mode = G::modeSigned, .value = 0.0, .null = kNullH},
    {.name = "SignedFullPlus",
     .mode = G::modeSigned,
     .value = 1.0,
     .plus = {true, {55, 1, 49, 15}, 0xFF0000},
     .null = kNullH},
    // (106 - 1) / 2 = 52.5 rounds to the even 52.
    {.name = "SignedEvenWidthFullMinus",
     .mode = G::modeSigned,
     .size = {106, 17},
     .value = -1.0,
     .minus = {true, {1, 1, 51, 15}, 0x0000FF},
     .null = kNullH},
    {.name = "SignedClampedAbove",
     .mode = G::modeSigned,
     .value = 1.7,
     .plus = {true, {55, 1, 49, 15}, 0xFF0000},
     .null = kNullH},
    {.name = "SignedNaNDrawsMinusOne",
     .mode = G::modeSigned,
     .value = kNaN,
     .minus = {true, {1, 1, 51, 15}, 0x0000FF},
     .null = kNullH},
    {.name = "SignedVerticalPlusGrowsUp",
     .mode = G::modeSigned,
     .orientation = V,
     .size = {17, 105},
     .value = 0.5,
     .plus = {true, {1, 27, 15, 26}, 0xFF7F7F},
     .null = kNullV},
    // 49 * 0.5 = 24.5 rounds to the even 24.
    {.name = "SignedVerticalMinusGrowsDown",
     .mode = G::modeSigned,
     .orientation = V,
     .size = {17, 105},
     .value = -0.5,
     .minus = {true, {1, 55, 15, 24}, 0x7F7FFF},
     .null = kNullV},

    // Unsigned: one bar from the left (or up from the bottom), no zero line.
    {.name = "UnsignedHalf", .mode = G::modeUnsigned, .value = 0.5, .plus = {true, {1, 1, 52, 15}, 0xFF7F7F}},
    {.name = "UnsignedZeroIsAnEmptyBar",
     .mode = G::modeUnsigned,
     .value = 0.0,
     .plus = {true, {1, 1, 0, 15}, 0xFFFFFF}},
    {.name = "UnsignedNegativeHides", .mode = G::modeUnsigned, .value = -0.2},
    {.name = "UnsignedClampedBelowHides", .mode = G::modeUnsigned, .value = -3.0},
    {.name = "UnsignedClampedAbove", .mode = G::modeUnsigned, .value = 1.7, .plus = {true, {1, 1, 103, 15}, 0xFF0000}},
    {.name = "UnsignedVertical",
     .mode = G::modeUnsigned,
     .orientation = V,
     .size = {17, 105},
     .value = 0.25,
     .plus = {true, {1, 78, 15, 26}, 0xFFBFBF}},
    {.name = "UnsignedVerticalZeroHides", .mode = G::modeUnsigned, .orientation = V, .size = {17, 105}, .value = 0.0},
    {.name = "UnsignedVerticalNegativeHides",
     .mode = G::modeUnsigned,
     .orientation = V,
     .size = {17, 105},
     .value = -0.5},

    // From-to: the band in the minus colours, the marker in the plus colours.
    {.name = "FromToBandAndMarker",
     .mode = G::modeFromTo,
     .widthOfFromTo = 3,
     .minus = {true, {27, 1, 50, 15}, 0x7F7FFF},
     .plus = {true, {51, 1, 3, 15}, 0xFF7F7F}},
    {.name = "FromToSwappedEnds",
     .mode = G::modeFromTo,
     .from = 0.75,
     .to = 0.25,
     .widthOfFromTo = 3,
     .minus = {true, {27, 1, 50, 15}, 0x7F7FFF},
     .plus = {true, {51, 1, 3, 15}, 0xFF7F7F}},
    {.name = "FromToMarkerNoWiderThanTheInside",
     .mode = G::modeFromTo,
     .widthOfFromTo = 200,
     .minus = {true, {27, 1, 50, 15}, 0x7F7FFF},
     .plus = {true, {1, 1, 103, 15}, 0xFF7F7F}},
    {.name = "FromToWithoutMarker", .mode = G::modeFromTo, .minus = {true, {27, 1, 50, 15}, 0x7F7FFF}},
    {.name = "FromToNegativeValueMarksZero",
     .mode = G::modeFromTo,
     .value = -0.5,
     .widthOfFromTo = 3,
     .minus = {true, {27, 1, 50, 15}, 0x7F7FFF},
     .plus = {true, {-1, 1, 3, 15}, 0xFFFFFF}},
    // (18 - 5) / 2 = 6.5 rounds to the even 6.
    {.name = "FromToThinBandCentred",
     .mode = G::modeFromTo,
     .size = {105, 18},
     .heightOfFromTo = 5,
     .widthOfFromTo = 3,
     .minus = {true, {27, 6, 50, 5}, 0x7F7FFF},
     .plus = {true, {51, 1, 3, 16}, 0xFF7F7F}},
    {.name = "FromToBandHeightEqualStaysFull",
     .mode = G::modeFromTo,
     .heightOfFromTo = 15,
     .minus = {true, {27, 1, 50, 15}, 0x7F7FFF}},
    {.name = "FromToBandHeightLargerStaysFull",
     .mode = G::modeFromTo,
     .heightOfFromTo = 40,
     .minus = {true, {27, 1, 50, 15}, 0x7F7FFF}},
    {.name = "FromToEndsClamped",
     .mode = G::modeFromTo,
     .from = 2.0,
     .to = 0.5,
     .minus = {true, {53, 1, 50, 15}, 0x4040FF}},
};

class TMBarGraphGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(TMBarGraphGeometry, ChildrenPlacedAndFilled) {
    const GeometryCase& c = GetParam();
    Hosted h(c.size, c.orientation);
    ASSERT_EQ(h.bar->size(), c.size);
    h.bar->setMBGMode(c.mode);
    h.bar->setMBGWidthOfFromTo(c.widthOfFromTo);
    h.bar->setMBGHeightOfFromTo(c.heightOfFromTo);
    h.bar->setMBGValueFrom(c.from);
    h.bar->setMBGValueTo(c.to);
    h.bar->setMBGValue(c.value);

    ExpectShape(h.minus(), c.minus, "ShapeMinus");
    ExpectShape(h.plus(), c.plus, "ShapePlus");
    ExpectShape(h.null(), c.null, "ShapeNull");
    if (std::isnan(c.value))
        EXPECT_TRUE(std::isnan(h.bar->MBGValue()));
    else
        EXPECT_EQ(h.bar->MBGValue(), c.value);  // read back unclamped
    EXPECT_EQ(h.bar->MBGValueFrom(), c.from);
    EXPECT_EQ(h.bar->MBGValueTo(), c.to);
}

INSTANTIATE_TEST_SUITE_P(Cases, TMBarGraphGeometry, ::testing::ValuesIn(kGeometry),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TMBarGraph, NewWidget) {
    TMBarGraph bar;
    EXPECT_EQ(bar.objectName(), "MBarGraph");
    EXPECT_EQ(bar.size(), QSize(105, 17));
    EXPECT_EQ(bar.minimumSize(), QSize(30, 5));
    EXPECT_EQ(bar.frameShape(), QFrame::Panel);
    EXPECT_EQ(bar.frameShadow(), QFrame::Sunken);
    EXPECT_EQ(bar.MBGOrientation(), G::orientationHorizontal);
    EXPECT_EQ(bar.MBGMode(), G::modeUnsigned);
    EXPECT_EQ(bar.MBGTextPosition(), G::tpAuto);
    EXPECT_EQ(bar.MBGValue(), 0.5);
    EXPECT_EQ(bar.MBGValueFrom(), 0.25);
    EXPECT_EQ(bar.MBGValueTo(), 0.75);
    EXPECT_EQ(bar.MBGMinusColorAt0(), Rgb(0xFFFFFF));
    EXPECT_EQ(bar.MBGMinusColorAt1(), Rgb(0x0000FF));
    EXPECT_EQ(bar.MBGPlusColorAt0(), Rgb(0xFFFFFF));
    EXPECT_EQ(bar.MBGPlusColorAt1(), Rgb(0xFF0000));
    EXPECT_FALSE(bar.MBGInverseText() || !bar.MBGText().isEmpty());

    // Stacking follows creation: band, bar, zero line, text on top.
    QStringList order;
    for (QObject* child : bar.children())
        if (child->isWidgetType()) order << child->objectName();
    EXPECT_EQ(order, QStringList({"ShapeMinus", "ShapePlus", "ShapeNull", "LabelText"}));
    ExpectShape(bar.findChild<TMBarShape*>("ShapeMinus"), {}, "ShapeMinus");
    ExpectShape(bar.findChild<TMBarShape*>("ShapePlus"), {}, "ShapePlus");
    EXPECT_FALSE(bar.findChild<TMBarShape*>("ShapeNull")->isHidden());

    bar.setMBGOrientation(G::orientationVertical);
    EXPECT_EQ(bar.minimumSize(), QSize(6, 30));
    bar.setMBGOrientation(G::orientationHorizontal);
    EXPECT_EQ(bar.minimumSize(), QSize(30, 6));
}

struct BlendCase {
    QRgb c0, c1;
    double t;
    QRgb want;
};

TEST(TMBarGraph, BlendColor) {
    const BlendCase cases[] = {
        {0xFFFFFF, 0xFF0000, 0.0, 0xFFFFFF},  {0xFFFFFF, 0xFF0000, 0.5, 0xFF7F7F},  // 255 + round(-127.5) = 127
        {0x000000, 0x00FF00, 0.5, 0x008000},  // 0 + round(127.5) = 128
        {0x010300, 0x000001, 0.5, 0x010100},  // halves -0.5, -1.5, 0.5 to even
        {0xFFFFFF, 0xFF0000, 1.0, 0xFF0000},  {0xFFFFFF, 0x0000FF, -0.3, 0xFFFFFF},  // clamped to 0
        {0xFFFFFF, 0x0000FF, 1.5, 0x0000FF},  // clamped to 1
        {0xFFFFFF, 0x0000FF, kNaN, 0x0000FF},  // not a number counts as 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(G::BlendColor(Rgb(c.c0), Rgb(c.c1), c.t), Rgb(c.want)) << "t " << c.t << " want " << c.want;
}

TEST(TMBarGraph, InverseAndChannels) {
    EXPECT_EQ(G::InverseColor(Rgb(0xFF7F00)), Rgb(0x0080FF));
    const QColor c = Rgb(0x123456);
    const std::pair<char, int> channels[] = {{'R', 0x12}, {'r', 0x12}, {'G', 0x34}, {'g', 0x34},
                                             {'B', 0x56}, {'b', 0x56}, {'x', 0},    {'A', 0}};
    for (auto [letter, want] : channels) EXPECT_EQ(G::ColorChannel(c, letter), want) << letter;
}

// Unsigned, 103 wide: the inside is 101, so 0.5 gives a 50-pixel bar
// (50.5 to even) from x 1.
struct TextCase {
    const char* name;
    G::TMBGTextPosition position;
    int leftBase;
    double leftPerTextWidth;  // left = leftBase + round(leftPerTextWidth * tw)
    bool inverse = false;
    QRgb colour = 0x000000;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

const TextCase kText[] = {
    {"Inside", G::tpInside, 1 + 50 - 2, -1.0},
    {"Outside", G::tpOutside, 1 + 50 + 2, 0.0},
    {"AutoWithRoom", G::tpAuto, 1 + 50 - 2, -1.0},
    {"Fix", G::tpFix, 7, 0.0},
    {"Centre", G::tpCentre, 50 + 1, -0.5},  // round(101 / 2) = 50
    {"InverseOfTheBar", G::tpOutside, 1 + 50 + 2, 0.0, true, 0x008080},
};

class TMBarGraphText : public ::testing::TestWithParam<TextCase> {};

TEST_P(TMBarGraphText, LabelPlacedAndColoured) {
    const TextCase& c = GetParam();
    Hosted h({103, 17});
    h.bar->setMBGTextLeft(7);
    h.bar->setMBGTextTop(3);
    h.bar->setMBGInverseText(c.inverse);
    h.bar->setMBGTextPosition(c.position);
    h.bar->setMBGValue(0.5);
    ASSERT_EQ(h.plus()->geometry(), QRect(1, 1, 50, 15));
    h.bar->setMBGText("50%");

    const QFontMetrics fm(h.bar->font());
    const int tw = fm.horizontalAdvance("50%");
    const int th = fm.height();
    const int top = c.position == G::tpFix ? 3 : Round((15 - th) / 2.0) + 1;
    EXPECT_EQ(h.label()->text(), "50%");
    EXPECT_EQ(h.label()->geometry(), QRect(c.leftBase + Round(c.leftPerTextWidth * tw), top, tw, th));
    EXPECT_EQ(h.label()->palette().color(QPalette::WindowText), Rgb(c.colour));
}

INSTANTIATE_TEST_SUITE_P(Cases, TMBarGraphText, ::testing::ValuesIn(kText),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TMBarGraph, AutoTextHysteresis) {
    // Inside of 100 pixels: the bar is exactly 100 * value wide.
    Hosted h({102, 17});
    // Two texts of one width, so each step is a text change of equal size.
    const QString texts[] = {"10%", "01%"};
    const QFontMetrics fm(h.bar->font());
    const int tw = fm.horizontalAdvance(texts[0]);
    ASSERT_EQ(fm.horizontalAdvance(texts[1]), tw);

    // Outside below tw + 4, inside above tw + 8, unchanged in between.
    const std::pair<int, bool> steps[] = {
        {tw + 6, true}, {tw + 9, false}, {tw + 6, false}, {tw + 4, false},
        {tw + 3, true}, {tw + 8, true},  {tw + 4, true},  {tw + 9, false},
    };
    int i = 0;
    for (auto [barWidth, outside] : steps) {
        SCOPED_TRACE(testing::Message() << "bar " << barWidth << " text " << tw);
        h.bar->setMBGValue(barWidth / 100.0);
        h.bar->setMBGText(texts[i++ % 2]);
        ASSERT_EQ(h.plus()->width(), barWidth);
        EXPECT_EQ(h.label()->x(), outside ? 1 + barWidth + 2 : 1 + barWidth - 2 - tw);
    }
}

TEST(TMBarGraph, TextMovesOnlyWhenItChanges) {
    Hosted h({105, 17});
    h.bar->setMBGTextPosition(G::tpOutside);
    h.bar->setMBGValue(0.5);
    h.bar->setMBGText("50%");
    const QRect placed = h.label()->geometry();
    EXPECT_EQ(placed.x(), 1 + 52 + 2);

    h.bar->setMBGValue(0.25);  // same text: the label stays
    h.bar->setMBGText("50%");
    EXPECT_EQ(h.label()->geometry(), placed);

    // The font is taken over with the next text, not when it changes.
    QFont big = h.bar->font();
    big.setPixelSize(30);
    const QFont before = h.label()->font();
    h.bar->setFont(big);
    EXPECT_EQ(h.label()->font(), before);
    h.bar->setMBGText("25%");
    EXPECT_EQ(h.label()->font().pixelSize(), 30);
    EXPECT_EQ(h.label()->x(), 1 + 26 + 2);  // round(103 * 0.25) = 26
    EXPECT_EQ(h.label()->width(), QFontMetrics(big).horizontalAdvance("25%"));
}

TEST(TMBarGraph, NoTextInOtherLayouts) {
    Hosted vertical({17, 105}, G::orientationVertical);
    vertical.bar->setMBGText("50%");
    EXPECT_TRUE(vertical.label()->text().isEmpty());
    Hosted signedBar({105, 17});
    signedBar.bar->setMBGMode(G::modeSigned);
    signedBar.bar->setMBGText("50%");
    EXPECT_TRUE(signedBar.label()->text().isEmpty());
}

TEST(TMBarGraph, FirstPassPlacesEvenAnUnchangedValue) {
    // Not shown, so no resize pass runs: the value setter makes the first
    // pass, and 0 equals the "previous" value a new widget starts with.
    TMBarGraph bar;
    bar.setMBGValue(0.0);
    ExpectShape(bar.findChild<TMBarShape*>("ShapePlus"), {true, {1, 1, 0, 15}, 0xFFFFFF}, "ShapePlus");
}

TEST(TMBarGraph, UnchangedDrawnValueSkipsThePass) {
    Hosted h({105, 17});
    const QRect poked{0, 0, 5, 5};
    h.bar->setMBGValue(1.7);
    h.plus()->setGeometry(poked);  // a re-placement would undo this
    h.bar->setMBGValue(1.2);  // clamps to the same 1
    EXPECT_EQ(h.plus()->geometry(), poked);
    EXPECT_EQ(h.bar->MBGValue(), 1.2);
    h.bar->setMBGValue(0.5);
    EXPECT_EQ(h.plus()->geometry(), QRect(1, 1, 52, 15));

    h.bar->setMBGMode(G::modeFromTo);
    h.bar->setMBGValueFrom(0.25);
    h.bar->setMBGValueTo(0.75);
    h.minus()->setGeometry(poked);
    h.bar->setMBGValueFrom(0.25);
    EXPECT_EQ(h.minus()->geometry(), poked);
    h.bar->setMBGValueTo(0.5);
    EXPECT_EQ(h.minus()->geometry(), QRect(27, 1, 24, 15));  // round(51.5 - 27) to even
}

TEST(TMBarGraph, ResizeReplacesEverything) {
    Hosted h({105, 17});
    h.bar->setMBGMode(G::modeSigned);
    h.bar->setMBGValue(0.5);
    h.bar->resize(205, 17);
    ExpectShape(h.plus(), {true, {105, 1, 50, 15}, 0xFF7F7F}, "ShapePlus");  // 99 * 0.5 to even
    ExpectShape(h.null(), {true, {103, 1, 1, 15}, 0xFFFFFF}, "ShapeNull");
}

TEST(TMBarGraph, ModeSwitchHidesOnlyWhatTheNewModeHides) {
    Hosted h({105, 17});
    h.bar->setMBGMode(G::modeSigned);
    h.bar->setMBGValueFrom(0.25);
    h.bar->setMBGValueTo(0.75);
    h.bar->setMBGValue(-0.5);
    ExpectShape(h.minus(), {true, {26, 1, 26, 15}, 0x7F7FFF}, "minus bar");

    // No marker: the plus shape is hidden, the minus shape becomes the band.
    h.bar->setMBGMode(G::modeFromTo);
    ExpectShape(h.minus(), {true, {27, 1, 50, 15}, 0x7F7FFF}, "band");
    ExpectShape(h.plus(), {}, "no marker");
    ExpectShape(h.null(), {}, "zero line");

    // Vertical from-to places nothing: the band stays where it was.
    h.bar->setMBGOrientation(G::orientationVertical);
    ExpectShape(h.minus(), {true, {27, 1, 50, 15}, 0x7F7FFF}, "band kept");

    h.bar->setMBGOrientation(G::orientationHorizontal);
    h.bar->setMBGMode(G::modeUnsigned);
    h.bar->setMBGValue(0.5);
    ExpectShape(h.minus(), {}, "band hidden by the bar");
    ExpectShape(h.plus(), {true, {1, 1, 52, h.bar->height() - 2}, 0xFF7F7F}, "bar");
}

}  // namespace
}  // namespace velmar
