#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QLayout;

namespace velmar {

// While a window is being built nothing of it is on screen, yet a tab
// widget shows the first page added to it at once, and a widget shown works
// out its layout there and then: every text of that page is measured, which
// also loads the font list, long before anything is drawn. While a hold
// lives, the layout of each widget polished (which a widget is just before
// it is shown the first time) stays switched off; the hold's end switches
// them on again, unworked, so they are worked out when the window is shown,
// as they would be anyway. Widgets built while a hold lives must not be
// deleted before it ends: a switched-off layout does not notice.
class LayoutHold : public QObject {
public:
    LayoutHold();
    ~LayoutHold() override;
    LayoutHold(const LayoutHold&) = delete;
    LayoutHold& operator=(const LayoutHold&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<QLayout>> held_;
};

}  // namespace velmar
