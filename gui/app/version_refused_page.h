#pragma once
// The page shown instead of the device pages when the instrument refuses
// this program's version, either as too old or as too new.

#include <QString>
#include <QWidget>

#include "ui_version_refused_page.h"

class QPushButton;

namespace velmar {

class VersionRefusedPage : public QWidget {
    Q_OBJECT
public:
    // tooNew: the program is newer than the instrument accepts; otherwise older.
    explicit VersionRefusedPage(bool tooNew, QWidget* parent = nullptr);

    QString tabCaption() const;
    QPushButton* exitButton() const;

    Ui::VersionRefusedPage ui;

private:
    bool tooNew_;
};

}  // namespace velmar
