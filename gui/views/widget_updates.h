#pragma once
// Keeping the views that change with every frame cheap: a change that
// alters nothing visible must not make Qt lay out and redraw the window.

#include <QLabel>
#include <QLayout>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace velmar {

// Shows or hides a widget only when that changes anything. Hiding a hidden
// widget still makes Qt lay out and redraw its parent again.
inline void SetShown(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown) widget->setVisible(shown);
}

// Rewrites a text only when it differs, so that a view fed by every frame
// costs nothing while its value stands still.
template <class Widget>
void SetTextWhenChanged(Widget* widget, const QString& text) {
    if (widget->text() != text) widget->setText(text);
}

// Remembers the value a label's text was last made from, so that a text
// that takes work to make (a number mask, a version) is made only when its
// value changes. Whoever writes another text into the label forgets it.
template <class Value>
class ShownValue {
public:
    template <class Make>
    void Show(QLabel* label, const Value& value, Make make) {
        if (shown_ && value == value_) return;
        value_ = value;
        shown_ = true;
        label->setText(make(value));
    }
    void Forget() { shown_ = false; }

private:
    Value value_{};
    bool shown_ = false;
};

// Rewrites a text like SetTextWhenChanged, with the blanks that lead it
// (a number mask leaves them) moved out of sight to the left, so that the
// text starts in line with the labels above and below it. The label must
// sit in a clip of its own (ClipForFlushLeft): Qt takes no negative margins.
inline void SetTextFlushLeft(QLabel* label, const QString& text) {
    if (label->text() == text) return;
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == ' ') ++blanks;
    const int shift = QFontMetrics(label->font()).horizontalAdvance(text.left(blanks));
    if (label->pos() != QPoint(-shift, 0)) label->move(-shift, 0);
    label->setText(text);
}

// Puts a label of fixed size into a widget of the same size in its place in
// the layout, so that SetTextFlushLeft can move the label's start out of it.
inline void ClipForFlushLeft(QLabel* label) {
    QWidget* parent = label->parentWidget();
    auto* clip = new QWidget(parent);
    clip->setObjectName(label->objectName() + "_Clip");
    clip->setFixedSize(label->minimumSize());
    if (parent && parent->layout()) delete parent->layout()->replaceWidget(label, clip);
    label->setParent(clip);
    label->move(0, 0);
    label->show();
}

// Gives a label that is rewritten all the time a fixed size, wide enough for
// the widest text it will show. A label whose size may change invalidates
// its parent's layout with every new text, and the whole page is drawn again.
inline void FixTextSize(QLabel* label, const QString& widestText) {
    const QFontMetrics metrics(label->font());
    const int margins = 2 * (label->margin() + label->frameWidth()) + 2;
    label->setFixedSize(metrics.horizontalAdvance(widestText) + margins,
                        std::max(label->sizeHint().height(), metrics.height() + margins));
}

}  // namespace velmar
