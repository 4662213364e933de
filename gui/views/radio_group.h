#pragma once
// A captioned group of radio buttons chosen by item index. An index at or
// beyond the item count selects the last item, and a negative index selects
// none: several answers rely on that for values out of range.

#include <QGroupBox>
#include <QStringList>
#include <QVector>

class QButtonGroup;
class QRadioButton;

namespace velmar {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns = 1, QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    int Count() const { return int(buttons_.size()); }
    QRadioButton* Item(int index) const { return buttons_.value(index); }

signals:
    void itemIndexChanged(int index);
    // The user chose an item (not emitted for SetItemIndex).
    void itemClicked(int index);

private:
    void KeepTabOnChosen();

    QButtonGroup* group_;
    QVector<QRadioButton*> buttons_;
};

}  // namespace velmar
