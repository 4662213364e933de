#pragma once
// Tells the user that another instrument answers than before, with the old
// and the new identity side by side.

#include <QDialog>

class QLabel;
class QPushButton;

namespace velmar {

class TForm_Keszulekcsere : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Keszulekcsere(QWidget* parent = nullptr);

    QLabel* Label_AktualisGyariSzam;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label_uLastDevice;
    QLabel* Label_uLastDeviceID;
    QLabel* Label_uDevice;
    QLabel* Label_uDeviceID;
    QPushButton* Button_Ok;
};

}  // namespace velmar
