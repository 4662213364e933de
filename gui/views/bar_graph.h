#pragma once
// Bar graph: a value in -1 ... 1 (or 0 ... 1) shown as a coloured bar inside
// a sunken panel, optionally with a text on or beside the bar, or a marker
// over a range band. The widget never paints the bar itself; it places three
// rectangle children and a label, so every piece can be checked on its own.

#include <QColor>
#include <QFrame>
#include <QHash>
#include <QString>

class QLabel;

namespace velmar {

// A filled rectangle with a 1-pixel black outline.
class TMBarShape : public QWidget {
    Q_OBJECT
public:
    explicit TMBarShape(const QColor& fill, QWidget* parent = nullptr);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor brush_;
};

class TMBarGraph : public QFrame {
    Q_OBJECT
public:
    enum TMBGOrientation { orientationHorizontal = 0, orientationVertical = 1 };
    Q_ENUM(TMBGOrientation)
    enum TMBGMode { modeSigned = 0, modeUnsigned = 1, modeFromTo = 2 };
    Q_ENUM(TMBGMode)
    enum TMBGTextPosition { tpInside = 0, tpOutside = 1, tpAuto = 2, tpFix = 3, tpCentre = 4 };
    Q_ENUM(TMBGTextPosition)

    Q_PROPERTY(TMBGOrientation MBGOrientation READ MBGOrientation WRITE setMBGOrientation)
    Q_PROPERTY(double MBGValue READ MBGValue WRITE setMBGValue)
    Q_PROPERTY(QColor MBGMinusColorAt0 READ MBGMinusColorAt0 WRITE setMBGMinusColorAt0)
    Q_PROPERTY(QColor MBGMinusColorAt1 READ MBGMinusColorAt1 WRITE setMBGMinusColorAt1)
    Q_PROPERTY(QColor MBGPlusColorAt0 READ MBGPlusColorAt0 WRITE setMBGPlusColorAt0)
    Q_PROPERTY(QColor MBGPlusColorAt1 READ MBGPlusColorAt1 WRITE setMBGPlusColorAt1)
    Q_PROPERTY(TMBGMode MBGMode READ MBGMode WRITE setMBGMode)
    Q_PROPERTY(bool MBGInverseText READ MBGInverseText WRITE setMBGInverseText)
    Q_PROPERTY(TMBGTextPosition MBGTextPosition READ MBGTextPosition WRITE setMBGTextPosition)
    Q_PROPERTY(int MBGTextLeft READ MBGTextLeft WRITE setMBGTextLeft)
    Q_PROPERTY(int MBGTextTop READ MBGTextTop WRITE setMBGTextTop)
    Q_PROPERTY(QString MBGText READ MBGText WRITE setMBGText)
    Q_PROPERTY(double MBGValueFrom READ MBGValueFrom WRITE setMBGValueFrom)
    Q_PROPERTY(double MBGValueTo READ MBGValueTo WRITE setMBGValueTo)
    Q_PROPERTY(int MBGHeightOfFromTo READ MBGHeightOfFromTo WRITE setMBGHeightOfFromTo)
    Q_PROPERTY(int MBGWidthOfFromTo READ MBGWidthOfFromTo WRITE setMBGWidthOfFromTo)

    explicit TMBarGraph(QWidget* parent = nullptr);

    TMBGOrientation MBGOrientation() const { return FMBGOrientation; }
    // Also sets the size constraints that suit the orientation.
    void setMBGOrientation(TMBGOrientation value);

    // The value setters keep the argument for reading back and draw the copy
    // clamped to -1 ... 1 (not a number counts as -1).
    double MBGValue() const { return FMBGValueUnLimited; }
    void setMBGValue(double value);
    double MBGValueFrom() const { return FMBGValueFromUnLimited; }
    void setMBGValueFrom(double value);
    double MBGValueTo() const { return FMBGValueToUnLimited; }
    void setMBGValueTo(double value);

    QColor MBGMinusColorAt0() const { return FMBGMinusColorAt0; }
    void setMBGMinusColorAt0(const QColor& value);
    QColor MBGMinusColorAt1() const { return FMBGMinusColorAt1; }
    void setMBGMinusColorAt1(const QColor& value);
    QColor MBGPlusColorAt0() const { return FMBGPlusColorAt0; }
    void setMBGPlusColorAt0(const QColor& value);
    QColor MBGPlusColorAt1() const { return FMBGPlusColorAt1; }
    void setMBGPlusColorAt1(const QColor& value);

    TMBGMode MBGMode() const { return FMBGMode; }
    void setMBGMode(TMBGMode value);
    bool MBGInverseText() const { return FMBGInverseText; }
    void setMBGInverseText(bool value);
    TMBGTextPosition MBGTextPosition() const { return FMBGTextPosition; }
    void setMBGTextPosition(TMBGTextPosition value);
    int MBGTextLeft() const { return FMBGTextLeft; }
    void setMBGTextLeft(int value);
    int MBGTextTop() const { return FMBGTextTop; }
    void setMBGTextTop(int value);
    QString MBGText() const { return FMBGText; }
    void setMBGText(const QString& value);
    int MBGHeightOfFromTo() const { return FMBGHeightOfFromTo; }
    void setMBGHeightOfFromTo(int value);
    int MBGWidthOfFromTo() const { return FMBGWidthOfFromTo; }
    void setMBGWidthOfFromTo(int value);

    // The layout pass. Without Force it re-places the bars only when a drawn
    // value differs from the one drawn last (or nothing was placed yet).
    void UpdateLayout(bool Force);

    // Each channel c0 + round((c1 - c0) * t), t clamped to 0 ... 1
    // (not a number counts as 1).
    static QColor BlendColor(const QColor& C0, const QColor& C1, double t);
    static QColor InverseColor(const QColor& C);
    // 'R'/'r', 'G'/'g', 'B'/'b' select a channel; any other letter gives 0.
    static int ColorChannel(const QColor& C, char letter);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void HandleResize();
    void LayoutSigned(bool changed);
    void LayoutUnsigned(bool changed);
    void LayoutFromTo(bool changed, bool force);
    void PlaceUnsignedText();

    bool bFirstInit = true;
    TMBarShape* ShapeMinus = nullptr;
    TMBarShape* ShapePlus = nullptr;
    TMBGOrientation FMBGOrientation = orientationHorizontal;
    int iMinusLeft = 0;
    int iMinusRight = 0;
    int iPlusLeft = 0;
    int iPlusRight = 0;
    double FMBGValueLimited = 0.5;
    TMBarShape* ShapeNull = nullptr;
    int iMinusBottom = 0;
    int iMinusTop = 0;
    int iPlusBottom = 0;
    int iPlusTop = 0;
    QColor FMBGMinusColorAt0{0xFF, 0xFF, 0xFF};
    QColor FMBGMinusColorAt1{0x00, 0x00, 0xFF};
    QColor FMBGPlusColorAt0{0xFF, 0xFF, 0xFF};
    QColor FMBGPlusColorAt1{0xFF, 0x00, 0x00};
    double MBGValuePrevious = 0.0;
    TMBGMode FMBGMode = modeUnsigned;
    QLabel* LabelText = nullptr;
    bool FMBGInverseText = false;
    // Automatic placement state: the text sits outside the bar.
    bool bNotEnoughtSpace = true;
    TMBGTextPosition FMBGTextPosition = tpAuto;
    int FMBGTextLeft = 0;
    int FMBGTextTop = 0;
    double FMBGValueUnLimited = 0.5;
    QString FMBGText;
    // The drawn range ends are set only by their setters, so a new widget
    // draws an empty band until both ends are assigned.
    double FMBGValueFrom = 0.0;
    double FMBGValueTo = 0.0;
    double FMBGValueFromUnLimited = 0.25;
    double FMBGValueToUnLimited = 0.75;
    double FMBGValueFromPrevious = 0.0;
    double FMBGValueToPrevious = 0.0;
    int FMBGHeightOfFromTo = 0;
    int FMBGWidthOfFromTo = 0;
    QHash<QString, int> textWidths_;  // in the label's font
    bool textPending_ = false;  // a new text came while the bar was out of sight
};

}  // namespace velmar
