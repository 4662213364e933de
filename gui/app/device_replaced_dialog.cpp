#include "gui/app/device_replaced_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/views/label_colors.h"

namespace velmar {

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, bool bold = false) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(name);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    SetTextColor(l, colors::kBlack);
    return l;
}
}  // namespace

TForm_Keszulekcsere::TForm_Keszulekcsere(QWidget* parent) : QDialog(parent) {
    setObjectName("TForm_Keszulekcsere");
    setWindowTitle(QString::fromUtf8("A készüléket kicserélték!"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // Shown over whatever is open, a modal dialog too, and answered first.
    setWindowModality(Qt::ApplicationModal);

    Label_AktualisGyariSzam =
        MakeLabel(this, "Label_AktualisGyariSzam", "Új készüléket csatlakoztattak az USB portra.");
    SetTextColor(Label_AktualisGyariSzam, colors::kRed);
    Label1 = MakeLabel(this, "Label1", "Előző készülék:");
    Label2 = MakeLabel(this, "Label2", "Új készülék:");
    Label3 = MakeLabel(this, "Label3", "Előző gyári szám:");
    Label4 = MakeLabel(this, "Label4", "Új gyári szám:");
    Label_uLastDevice = MakeLabel(this, "Label_uLastDevice", "???????");
    Label_uLastDeviceID = MakeLabel(this, "Label_uLastDeviceID", "???????");
    Label_uDevice = MakeLabel(this, "Label_uDevice", "???????", true);
    Label_uDeviceID = MakeLabel(this, "Label_uDeviceID", "???????", true);
    Button_Ok = new QPushButton("Ok", this);
    Button_Ok->setObjectName("Button_Ok");
    connect(Button_Ok, &QPushButton::clicked, this, &QDialog::reject);  // Esc does the same

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label_AktualisGyariSzam, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Label_uLastDevice, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(Label_uDevice, 2, 1);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(Label_uLastDeviceID, 3, 1);
    grid->addWidget(Label4, 4, 0);
    grid->addWidget(Label_uDeviceID, 4, 1);
    grid->addWidget(Button_Ok, 5, 0, 1, 2, Qt::AlignCenter);
}

}  // namespace velmar
