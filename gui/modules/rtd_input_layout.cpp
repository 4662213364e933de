// How the RTD input dialog is laid out: the basic tab with the source,
// wiring, measuring time and the calibration of leads and potentiometer; the
// advanced tab with the potentiometer's scaling and the sensor's correction
// points, which share one place.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/modules/rtd_input_codec.h"
#include "gui/modules/rtd_input_dialog.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/widget_updates.h"
#include "gui/views/wrapped_button.h"

namespace velmar {

namespace {
QLabel* MakeShownValue(QWidget* parent, const char* name, const char* text) {
    QLabel* l = MakeValueLabel(parent, name);
    l->setText(QString::fromUtf8(text));
    return l;
}
}  // namespace

void TForm_PXRT::BuildBasicTab() {
    QWidget* tab = TabSheet_Basic;
    RadioGroup_Uzemmod =
        MakeRadioGroup(tab, "RadioGroup_Uzemmod", "BEMENETI JELFORRÁS",
                       {"<din>", "Potenciométer 0% - 100%", "Skálázott potenciométer ", "Ellenállás"}, 1, 0);
    RadioGroup_VezetekSzam =
        MakeRadioGroup(tab, "RadioGroup_VezetekSzam", "JELFORRÁS BEKÖTÉSE", kRtdWiringOptions, 1, 0);
    RadioGroup_VezetekSzam->setToolTip(
        QString::fromUtf8("Mérési metódus: ennyi vezetékkel csatlakozik az érzékelő a készülékhez."));
    RadioGroup_Atlagolas = MakeRadioGroup(tab, "RadioGroup_Atlagolas", "MÉRÉSI IDŐ", kRtdMeasuringTimeOptions, 2, 3);
    RadioGroup_Atlagolas->setToolTip(
        QString::fromUtf8("3 vezetékes mérés esetén a beállási idő kétszer ennyi ideig tart!"));

    GroupBox_2Wire = MakeGroup(tab, "GroupBox_2Wire", "VEZETÉKELLENÁLLÁS KIVONÁSA");
    Label131 = MakeLabel(GroupBox_2Wire, "Label131", "Mért ellenállás = ");
    Label_2VezModRMert = MakeShownValue(GroupBox_2Wire, "Label_2VezModRMert", "xxx.xx ohm");
    Button_2VezRKiejtes = new WrappedButton(
        QString::fromUtf8("A kivonandó vezetékellenállás legyen a jelenleg mért ellenállás."), GroupBox_2Wire);
    Button_2VezRKiejtes->setObjectName("Button_2VezRKiejtes");
    Button_2VezRNulla = new WrappedButton(QString::fromUtf8("Nem kell kivonni a vezetékellenállást."), GroupBox_2Wire);
    Button_2VezRNulla->setObjectName("Button_2VezRNulla");
    Label126 = MakeLabel(GroupBox_2Wire, "Label126", "Tárolt vezetékellenállás");
    Label_2VezRKiejtes = MakeShownValue(GroupBox_2Wire, "Label_2VezRKiejtes", "xxx.xx ohm");
    auto* wire = new QGridLayout(GroupBox_2Wire);
    wire->addWidget(Label131, 0, 0);
    wire->addWidget(Label_2VezModRMert, 0, 1);
    wire->addWidget(Button_2VezRKiejtes, 1, 0, 1, 2);
    wire->addWidget(Button_2VezRNulla, 2, 0, 1, 2);
    wire->addWidget(Label126, 3, 0);
    wire->addWidget(Label_2VezRKiejtes, 3, 1);

    GroupBox_PotenciometerUzemmod =
        MakeGroup(tab, "GroupBox_PotenciometerUzemmod", "POTENCIOMÉTER 0% és 100% BEÁLLÍTÁSA");
    Label_PotiModRMert = MakeLabel(GroupBox_PotenciometerUzemmod, "Label_PotiModRMert", "R = xxx.xx ohm");
    Label_PotiModRMert->setAlignment(Qt::AlignCenter);
    GroupBox_PotenciometerKalibralas =
        MakeGroup(GroupBox_PotenciometerUzemmod, "GroupBox_PotenciometerKalibralas", "POTENCIOMÉTER KALIBRÁLÁS");
    Button_PotiCal0 = MakeButton(GroupBox_PotenciometerKalibralas, "Button_PotiCal0", "0%");
    Label_PotiCal0 = MakeShownValue(GroupBox_PotenciometerKalibralas, "Label_PotiCal0", "xxx.xx ohm");
    Button_PotiCal100 = MakeButton(GroupBox_PotenciometerKalibralas, "Button_PotiCal100", "100%");
    Label_PotiCal100 = MakeShownValue(GroupBox_PotenciometerKalibralas, "Label_PotiCal100", "xxx.xx ohm");
    auto* cal = new QGridLayout(GroupBox_PotenciometerKalibralas);
    cal->addWidget(Button_PotiCal0, 0, 0);
    cal->addWidget(Label_PotiCal0, 0, 1);
    cal->addWidget(Button_PotiCal100, 1, 0);
    cal->addWidget(Label_PotiCal100, 1, 1);
    auto* poti = new QVBoxLayout(GroupBox_PotenciometerUzemmod);
    poti->addWidget(Label_PotiModRMert);
    poti->addWidget(GroupBox_PotenciometerKalibralas);

    // Rewritten by every status answer: a fixed size spares the layout.
    const QString widest = QString::fromUtf8("-00000000,000 ohm");
    FixTextSize(Label_2VezModRMert, widest);
    FixTextSize(Label_PotiModRMert, widest);
    Label_PotiModRMert->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    Label_PotiModRMert->setMaximumWidth(QWIDGETSIZE_MAX);

    auto* left = new QVBoxLayout;
    left->addWidget(RadioGroup_Uzemmod);
    left->addWidget(RadioGroup_VezetekSzam);
    left->addWidget(RadioGroup_Atlagolas);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox_2Wire);
    right->addWidget(GroupBox_PotenciometerUzemmod);
    right->addStretch(1);
    auto* columns = new QHBoxLayout(tab);
    columns->addLayout(left);
    columns->addLayout(right);
}

void TForm_PXRT::BuildAdvancedTab() {
    QWidget* tab = TabSheet2;
    GroupBox_PotenciometerSkalazas = MakeGroup(tab, "GroupBox_PotenciometerSkalazas", "POTENCIOMÉTER SKÁLÁZÁSA");
    QWidget* g = GroupBox_PotenciometerSkalazas;
    RadioGroup_PX310_Decimals =
        MakeRadioGroup(g, "RadioGroup_PX310_Decimals", "TIZEDESJEGYEK", {"0", "1", "2", "3", "4"}, 1, 1);
    Label71 = MakeLabel(g, "Label71", "0%-hoz tartozó számérték");
    Label_iScaleLowSettings = MakeValueLabel(g, "Label_iScaleLowSettings");
    Button_ScaleLowSettings = MakeButton(g, "Button_ScaleLowSettings", "Módosítás");
    Label103 = MakeLabel(g, "Label103", "100%-hoz tartozó számérték");
    Label_iScaleHighSettings = MakeValueLabel(g, "Label_iScaleHighSettings");
    Button_ScaleHighSettings = MakeButton(g, "Button_ScaleHighSettings", "Módosítás");
    auto* scale = new QGridLayout;
    AddScaleRow(scale, 0, Label71, Label_iScaleLowSettings, Button_ScaleLowSettings);
    AddScaleRow(scale, 1, Label103, Label_iScaleHighSettings, Button_ScaleHighSettings);
    scale->setRowStretch(2, 1);
    auto* scaling = new QHBoxLayout(g);
    scaling->addWidget(RadioGroup_PX310_Decimals);
    scaling->addLayout(scale, 1);

    GroupBox_SzenzorKorrekciosErtekek = MakeGroup(tab, "GroupBox_SzenzorKorrekciosErtekek",
                                                  "KALIBRÁLT Pt HŐMÉRSÉKLET ÉRZÉKELŐ ILLESZTÉSE A KÉSZÜLÉKHEZ");
    auto* points = new QHBoxLayout(GroupBox_SzenzorKorrekciosErtekek);
    GroupBox33 = BuildCorrectionPoint(1);
    GroupBox34 = BuildCorrectionPoint(2);
    GroupBox35 = BuildCorrectionPoint(3);
    for (QGroupBox* p : {GroupBox33, GroupBox34, GroupBox35}) points->addWidget(p);

    // The two groups share the place: the source shows one of them at most.
    auto* column = new QVBoxLayout(tab);
    column->addWidget(GroupBox_PotenciometerSkalazas);
    column->addWidget(GroupBox_SzenzorKorrekciosErtekek);
    column->addStretch(1);
}

QGroupBox* TForm_PXRT::BuildCorrectionPoint(int point) {
    using Member = QLabel* TForm_PXRT::*;
    using ButtonMember = QPushButton* TForm_PXRT::*;
    static const Member kTemp[] = {&TForm_PXRT::Label_iPXRT_CorrTemp1, &TForm_PXRT::Label_iPXRT_CorrTemp2,
                                   &TForm_PXRT::Label_iPXRT_CorrTemp3};
    static const Member kPlus[] = {&TForm_PXRT::Label_iPXRT_CorrPlusTemp1, &TForm_PXRT::Label_iPXRT_CorrPlusTemp2,
                                   &TForm_PXRT::Label_iPXRT_CorrPlusTemp3};
    static const ButtonMember kTempButton[] = {&TForm_PXRT::Button_iPXRT_CorrTemp1, &TForm_PXRT::Button_iPXRT_CorrTemp2,
                                               &TForm_PXRT::Button_iPXRT_CorrTemp3};
    static const ButtonMember kPlusButton[] = {&TForm_PXRT::Button_iPXRT_CorrPlusTemp1,
                                               &TForm_PXRT::Button_iPXRT_CorrPlusTemp2,
                                               &TForm_PXRT::Button_iPXRT_CorrPlusTemp3};
    const std::size_t i = std::size_t(point - 1);
    const QByteArray n = QByteArray::number(point);
    auto* box =
        MakeGroup(GroupBox_SzenzorKorrekciosErtekek, "GroupBox" + QByteArray::number(32 + point), "HŐMÉRSÉKLET " + n);
    QLabel* temp = this->*kTemp[i] = MakeShownValue(box, "Label_iPXRT_CorrTemp" + n, "xxx.x °C");
    QPushButton* tempButton = this->*kTempButton[i] = MakeButton(box, "Button_iPXRT_CorrTemp" + n, "Módosítás");
    QLabel* plus = this->*kPlus[i] = MakeShownValue(box, "Label_iPXRT_CorrPlusTemp" + n, "x.x °C");
    QPushButton* plusButton = this->*kPlusButton[i] = MakeButton(box, "Button_iPXRT_CorrPlusTemp" + n, "Módosítás");

    auto* grid = new QGridLayout(box);
    grid->addWidget(MakeLabel(box, "Label_CorrTempCaption" + n, "Hőmérséklet:"), 0, 0, 1, 2);
    grid->addWidget(temp, 1, 0);
    grid->addWidget(tempButton, 1, 1);
    int row = 2;
    for (const char* line : {"Ennyi °C-ot kell", "hozzáadni, hogy", "pontossá váljon", "a kijelzett érték."}) {
        grid->addWidget(MakeLabel(box, "Label_CorrPlusCaption" + n + "_" + QByteArray::number(row - 1), line), row, 0,
                        1, 2);
        ++row;
    }
    grid->addWidget(plus, row, 0);
    grid->addWidget(plusButton, row, 1);
    grid->setVerticalSpacing(2);
    return box;
}

}  // namespace velmar
