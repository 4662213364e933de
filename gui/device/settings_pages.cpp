#include "gui/device/settings_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/settings/settings_set_codec.h"
#include "gui/views/label_colors.h"
#include "gui/views/latching_group.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/same_width.h"
#include "gui/views/typed_length.h"

namespace velmar {

namespace {
QLineEdit* MakeEdit(QWidget* parent, const QString& name, const char* text, int maxLength, int widthChars) {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(name);
    if (maxLength > 0) LimitTypedLength(e, maxLength);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(widthChars, QChar(0x30))) + 12);
    return e;
}

// The three request buttons of a page, in one latching group, and beneath
// them the place of a note on whose settings the page shows.
void MakeRequests(QWidget* parent, QBoxLayout* column, const QString& suffix, QPushButton*& read,
                  QPushButton*& defaults, QPushButton*& write, QLabel*& note) {
    auto* row = new QHBoxLayout;
    read = MakeButton(parent, qPrintable("SpeedButton_ReadSettings" + suffix), "Kiolvasás a készülékből");
    defaults = MakeButton(parent, qPrintable("SpeedButton_ReadDefaultSettings" + suffix),
                          "Gyári alapbeállítások megjelenítése");
    write = MakeButton(parent, qPrintable("SpeedButton_WriteSettings" + suffix), "Beírás a készülékbe");
    auto* group = new LatchingGroup(parent);
    for (QPushButton* b : {read, defaults, write}) {
        group->add(b);
        row->addWidget(b, 1);
    }
    SameWidth({read, defaults, write});
    column->addLayout(row);
    note = new QLabel(parent);
    note->setObjectName("Label_ValuesOfAnotherInstrument" + suffix);
    note->hide();
    column->addWidget(note);
}
}  // namespace

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TabSheet5");
    auto* column = new QVBoxLayout(this);
    MakeRequests(this, column, "", SpeedButton_ReadSettings, SpeedButton_ReadDefaultSettings, SpeedButton_WriteSettings,
                 Label_ValuesOfAnotherInstrument);
    PageControl_Settings = new QTabWidget(this);
    PageControl_Settings->setObjectName("PageControl_Settings");
    QWidget* display = BuildDisplayTab();
    display->setObjectName("TabSheet20");
    PageControl_Settings->addTab(display, QString::fromUtf8("Kijelző"));
    QWidget* input = BuildInputTab();
    input->setObjectName("TabSheet21");
    PageControl_Settings->addTab(input, QString::fromUtf8("Bemenet"));
    column->addWidget(PageControl_Settings, 1);
}

QWidget* SettingsPage::BuildDisplayTab() {
    auto* tab = new QWidget;
    QGroupBox* box = MakeGroup(tab, "GroupBox_Kijelzo", "Kijelző");
    TrackBar_Brightness = new QSlider(Qt::Horizontal, box);
    TrackBar_Brightness->setObjectName("TrackBar_Brightness");
    TrackBar_Brightness->setRange(1, 10);
    TrackBar_Brightness->setPageStep(1);
    TrackBar_Brightness->setTickPosition(QSlider::TicksBelow);
    TrackBar_Brightness->setValue(5);
    Edit_DisplayTagname = MakeEdit(box, "Edit_DisplayTagname", "123456789012345678901", 21, 22);
    Edit_DisplayDimension = MakeEdit(box, "Edit_DisplayDimension", "12345678", 8, 9);
    CheckBox_DisplayLeaderZeros = new QCheckBox(QString::fromUtf8("Vezető nullák"), box);
    CheckBox_DisplayLeaderZeros->setObjectName("CheckBox_DisplayLeaderZeros");
    CheckBox_DisplayLeaderZeros->setChecked(true);
    RadioGroup_DisplayRefresh =
        MakeRadioGroup(box, "RadioGroup_DisplayRefresh", "Frissítési gyakoriság (ms)", kMeasuringTimeOptions, 6, 3);

    QGroupBox* bar = MakeGroup(box, "GroupBox_Bargraph", "Bargraph");
    Edit_iBgLow = MakeEdit(bar, "Edit_iBgLow", "0", 0, 8);
    Edit_iBgHigh = MakeEdit(bar, "Edit_iBgHigh", "100", 0, 8);
    CheckBox_BargraphDot = new QCheckBox(QString::fromUtf8("Pont mód"), bar);
    CheckBox_BargraphDot->setObjectName("CheckBox_BargraphDot");
    auto* barGrid = new QGridLayout(bar);
    barGrid->addWidget(MakeLabel(bar, "Label_BgLow", "0%-hoz tartozó kijelzés:"), 0, 0);
    barGrid->addWidget(Edit_iBgLow, 0, 1);
    barGrid->addWidget(MakeLabel(bar, "Label_BgHigh", "100%-hoz tartozó kijelzés:"), 1, 0);
    barGrid->addWidget(Edit_iBgHigh, 1, 1);
    barGrid->addWidget(CheckBox_BargraphDot, 2, 0, 1, 2);

    RadioGroup_uDecimalPointSettings =
        MakeRadioGroup(box, "RadioGroup_uDecimalPointSettings", "Tizedesjegyek", {"0", "1", "2", "3", "4"}, 5, 2);
    RadioGroup_uRoundSettings = MakeRadioGroup(box, "RadioGroup_uRoundSettings", "Kerekítés", {"1", "2", "5"}, 3, 0);

    for (QWidget* g :
         {static_cast<QWidget*>(RadioGroup_DisplayRefresh), static_cast<QWidget*>(RadioGroup_uDecimalPointSettings),
          static_cast<QWidget*>(RadioGroup_uRoundSettings), static_cast<QWidget*>(bar)})
        g->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* grid = new QGridLayout(box);
    grid->addWidget(MakeLabel(box, "Label_Brightness", "Fényerő:"), 0, 0);
    grid->addWidget(TrackBar_Brightness, 0, 1);
    grid->addWidget(MakeLabel(box, "Label_Tagname", "Megnevezés:"), 1, 0);
    grid->addWidget(Edit_DisplayTagname, 1, 1, Qt::AlignLeft);
    grid->addWidget(MakeLabel(box, "Label_Dimension", "Dimenzió:"), 2, 0);
    grid->addWidget(Edit_DisplayDimension, 2, 1, Qt::AlignLeft);
    grid->addWidget(CheckBox_DisplayLeaderZeros, 3, 0, 1, 2);
    grid->addWidget(bar, 0, 2, 4, 1, Qt::AlignTop);
    grid->addWidget(RadioGroup_DisplayRefresh, 4, 0, 1, 3);
    grid->addWidget(RadioGroup_uDecimalPointSettings, 5, 0, 1, 2);
    grid->addWidget(RadioGroup_uRoundSettings, 5, 2);
    grid->setRowStretch(6, 1);

    RadioGroup_enuLimitDisplayMode =
        MakeRadioGroup(tab, "RadioGroup_enuLimitDisplayMode", "Határérték kijelzés", kLimitDisplayModeOptions, 1, 1);
    auto* row = new QHBoxLayout(tab);
    row->addWidget(box, 1);
    row->addWidget(RadioGroup_enuLimitDisplayMode, 0, Qt::AlignTop);
    return tab;
}

QWidget* SettingsPage::BuildInputTab() {
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);
    column->addWidget(MakeLabel(tab, "Label_InputSettings", "Bemenet beállításai:"));
    auto* inputs = new QTabWidget(tab);
    inputs->setObjectName("PageControl_Inputs");
    column->addWidget(inputs, 1);

    auto* ui = new QWidget;
    ui->setObjectName("TabSheet12");
    QGroupBox* box = MakeGroup(ui, "GroupBox_InputUI", "Bemenet típusa és a bemenet skálázása");
    RadioGroup_uInputTypeSettings =
        MakeRadioGroup(box, "RadioGroup_uInputTypeSettings", "Típus", kSignalTypeOptions, 1, 0);
    Edit_iScaleLowSettings = MakeEdit(box, "Edit_iScaleLowSettings", "0", 0, 8);
    Edit_iScaleHighSettings = MakeEdit(box, "Edit_iScaleHighSettings", "100", 0, 8);
    auto* grid = new QGridLayout(box);
    grid->addWidget(RadioGroup_uInputTypeSettings, 0, 0, 3, 1);
    grid->addWidget(MakeLabel(box, "Label_ScaleLow", "Skála alsó számérték:"), 0, 1);
    grid->addWidget(Edit_iScaleLowSettings, 0, 2);
    grid->addWidget(MakeLabel(box, "Label_ScaleHigh", "Skála felső számérték:"), 1, 1);
    grid->addWidget(Edit_iScaleHighSettings, 1, 2);
    grid->setRowStretch(2, 1);
    (new QVBoxLayout(ui))->addWidget(box, 0, Qt::AlignTop);
    inputs->addTab(ui, "UI");

    auto* pt = new QWidget;
    pt->setObjectName("TabSheet3");
    QGroupBox* sensor = MakeGroup(pt, "GroupBox_PtSensor", "Pt mérőérzékelő");
    RadioGroup_uPtWires = MakeRadioGroup(sensor, "RadioGroup_uPtWires", "Vezetékszám", {"2", "3", "4"}, 3, 2);
    (new QVBoxLayout(sensor))->addWidget(RadioGroup_uPtWires);
    (new QVBoxLayout(pt))->addWidget(sensor, 0, Qt::AlignTop);
    inputs->addTab(pt, "PXPT");
    return tab;
}

LimitOutputsPage::LimitOutputsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TabSheet15");
    auto* column = new QVBoxLayout(this);
    MakeRequests(this, column, "2", SpeedButton_ReadSettings2, SpeedButton_ReadDefaultSettings2,
                 SpeedButton_WriteSettings2, Label_ValuesOfAnotherInstrument2);
    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName("PageControl2");
    for (int i = 0; i < 4; ++i) PageControl2->addTab(BuildLimitTab(i), QString::number(i + 1));
    PageControl2->setCurrentIndex(3);
    column->addWidget(PageControl2, 1);
    column->addWidget(BuildForceGroup());
}

QWidget* LimitOutputsPage::BuildLimitTab(int output) {
    const QString n = QString::number(output + 1), suffix = "L" + n;
    auto name = [&](const char* stem) { return QByteArray(stem) + suffix.toLatin1(); };
    auto* tab = new QWidget;
    tab->setObjectName("TabSheet_Limit" + n);
    auto* box = new QGroupBox(n + QString::fromUtf8(". határérték kimenet"), tab);
    box->setObjectName(name("GroupBox_Limit"));
    LimitOutputControls& c = limits[std::size_t(output)];
    c.mode =
        MakeRadioGroup(box, name("RadioGroup_enuLimitMode").constData(), "Üzemmód", kSettingsSetLimitModeOptions, 2, 0);
    c.a = MakeEdit(box, name("Edit_iLowLimit"), "0", 0, 8);
    c.b = MakeEdit(box, name("Edit_iHighLimit"), "0", 0, 8);
    c.hysteresis = MakeEdit(box, name("Edit_iHysteresis"), "0", 0, 8);
    c.hold = new QCheckBox(QString::fromUtf8("A már bekapcsolt kimenet gombnyomásig úgy marad."), box);
    c.hold->setObjectName(name("CheckBox_bHold"));
    c.seconds = MakeEdit(box, name("Edit_uSec"), "0", 5, 6);
    c.pulse = MakeEdit(box, name("Edit_uPulseSec"), "0", 3, 4);

    auto* grid = new QGridLayout(box);
    grid->addWidget(c.mode, 0, 0, 9, 1);
    grid->addWidget(MakeLabel(box, name("Label_A").constData(), "A érték vagy delta érték:"), 0, 1);
    grid->addWidget(c.a, 0, 2);
    grid->addWidget(MakeLabel(box, name("Label_B").constData(), "B érték:"), 1, 1);
    grid->addWidget(c.b, 1, 2);
    grid->addWidget(MakeLabel(box, name("Label_Hysteresis").constData(), "Hiszterézis:"), 2, 1);
    grid->addWidget(c.hysteresis, 2, 2);
    grid->addWidget(c.hold, 3, 1, 1, 3);
    grid->addWidget(MakeLabel(box, name("Label_Delta").constData(), "Delta üzemmód"), 4, 1);
    grid->addWidget(MakeLabel(box, name("Label_DeltaSettings").constData(), "beállításai:"), 5, 1);
    grid->addWidget(MakeLabel(box, name("Label_Seconds").constData(), "Másodperc érték:"), 6, 1);
    grid->addWidget(c.seconds, 6, 2);
    grid->addWidget(MakeLabel(box, name("Label_Pulse").constData(), "Impulzusszélesség:"), 7, 1);
    grid->addWidget(c.pulse, 7, 2);
    grid->addWidget(MakeLabel(box, name("Label_PulseUnit").constData(), "sec"), 7, 3);
    grid->setRowStretch(8, 1);
    (new QVBoxLayout(tab))->addWidget(box);
    return tab;
}

QWidget* LimitOutputsPage::BuildForceGroup() {
    QGroupBox* box = MakeGroup(this, "GroupBox17",
                               "Határérték kimenetek közvetlen vezérlése, a beállított üzemmódtól függetlenül "
                               "(Határérték kimenetek ellenőrzése, tesztelése) ");
    SpeedButton_DigitalOutForceEng = MakeButton(box, "SpeedButton_DigitalOutForceEng", "Közvetlen vezérlés");
    SpeedButton_DigitalOutForceEng->setCheckable(true);
    auto* grid = new QGridLayout(box);
    grid->addWidget(SpeedButton_DigitalOutForceEng, 0, 0, Qt::AlignTop);
    for (int i = 0; i < 4; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        QPushButton*& force = SpeedButton_DigitalOutForce[std::size_t(i)];
        force = MakeButton(box, ("SpeedButton_DigitalOut" + n + "Force").constData(),
                           (n + ". határérték kimenet").constData());
        force->setCheckable(true);
        QLabel*& on = Label_DigitalOut[std::size_t(i)];
        on = MakeLabel(box, ("Label_DigitalOut" + n).constData(), (n + ". Bekapcsolva").constData());
        on->setAlignment(Qt::AlignCenter);
        SetLabelColors(on, colors::kLime, Qt::black);
        // The row keeps its height while every lamp label is hidden.
        QSizePolicy p = on->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        on->setSizePolicy(p);
        on->hide();
        grid->addWidget(force, 0, i + 1);
        grid->addWidget(on, 1, i + 1);
    }
    return box;
}

}  // namespace velmar
