#pragma once
// Request buttons of one page or dialog: pressing one releases the others,
// and all of them may be up at once (which an exclusive QButtonGroup does
// not allow).

#include <QObject>
#include <QVector>

class QAbstractButton;

namespace velmar {

class LatchingGroup : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Makes the button checkable and a member of the group.
    void add(QAbstractButton* button);
    const QVector<QAbstractButton*>& buttons() const { return buttons_; }

private:
    QVector<QAbstractButton*> buttons_;
};

}  // namespace velmar
