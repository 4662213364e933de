#include "modules/module_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/form_main.h"
#include "views/latching_group.h"

namespace velmar {

namespace {
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
}  // namespace

ModuleDialog::ModuleDialog(TForm1& main, const char* objectName, const QString& caption,
                           const QString& readDefaultCaption, const QString& requestSuffix)
    : QDialog(&main), main_(main) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    Button_Esc = MakeButton(this, "Button_Esc", QString::fromUtf8("Kilépés (Esc)"));
    connect(Button_Esc, &QPushButton::clicked, this, &QDialog::reject);  // Esc does the same
    layout->addWidget(Button_Esc, 0, Qt::AlignLeft);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);

    auto* requests = new QHBoxLayout;
    SpeedButton_ReadFromDevice =
        MakeButton(this, "SpeedButton_ReadFromDevice" + requestSuffix, QString::fromUtf8("Kiolvasás a készülékből"));
    SpeedButton_ReadDefault = MakeButton(this, "SpeedButton_ReadDefault" + requestSuffix, readDefaultCaption);
    SpeedButton_WriteToDevice =
        MakeButton(this, "SpeedButton_WriteToDevice" + requestSuffix, QString::fromUtf8("Beírás a készülékbe"));
    auto* group = new LatchingGroup(this);
    for (QPushButton* b : {SpeedButton_ReadFromDevice, SpeedButton_ReadDefault, SpeedButton_WriteToDevice}) {
        group->add(b);
        requests->addWidget(b);
    }
    layout->addLayout(requests);
}

void ModuleDialog::Prepare(const QString& caption, bool pressRead) {
    setWindowTitle(caption);
    adjustSize();
    PositionFormToCenterOfMainForm(this, &main_);
    if (pressRead) SpeedButton_ReadFromDevice->setChecked(true);
}

void ModuleDialog::Open(const QString& caption, bool pressRead) {
    Prepare(caption, pressRead);
    exec();
}

void ModuleDialog::WriteAnswered() {
    SpeedButton_WriteToDevice->setChecked(false);
    SpeedButton_ReadFromDevice->setChecked(true);
}

QString ModuleDialog::ScaledText(int32_t value) const {
    return main_.FormatNumber(value / double(main_.recRX.fDivider), main_.recRX.sDecimalMask);
}

}  // namespace velmar
