#pragma once
// Keeping the views that change with every frame cheap: a change that
// alters nothing visible must not make Qt lay out and redraw the window.

#include <QLabel>
#include <QString>
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

// Rewrites a text like SetTextWhenChanged, with the blanks that lead it
// (a number mask leaves them) moved out of sight to the left, so that the
// text starts in line with the labels above and below it.
inline void SetTextFlushLeft(QLabel* label, const QString& text) {
    if (label->text() == text) return;
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == ' ') ++blanks;
    const int shift = QFontMetrics(label->font()).horizontalAdvance(text.left(blanks));
    const QMargins margins(-shift, 0, 0, 0);
    if (label->contentsMargins() != margins) label->setContentsMargins(margins);
    label->setText(text);
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
