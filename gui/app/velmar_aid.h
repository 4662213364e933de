#pragma once
// Extras shown after a Velmar-level login: the command history of the link
// and its activity lamp.

#include <QGroupBox>

#include "ui_velmar_aid.h"

class QEvent;
class QObject;

namespace velmar {

class VelmarAidGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit VelmarAidGroup(QWidget* parent = nullptr);

    Ui::VelmarAidGroup ui;

signals:
    // A press on the command history, by mouse or key; the owner clears the list.
    void commandsLabelClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace velmar
