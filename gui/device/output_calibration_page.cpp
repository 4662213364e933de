#include "gui/device/output_calibration_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <optional>

#include "core/device/number_mask.h"
#include "core/device/service_commands.h"
#include "gui/link/instrument_context.h"
#include "gui/views/bar_graph.h"
#include "gui/views/lamp.h"
#include "gui/views/latching_group.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/typed_length.h"

namespace velmar {

namespace {
constexpr int kPwmMax = 65535;
constexpr const char* kPwmMask = "## ##0";
constexpr uint8_t kForce = 0x01, kCurrent = 0x02, kCheck12mA = 0x04, kCheck5V = 0x08, kSecondBoard = 0x10;
constexpr uint32_t kUncalibratedOutput = 0x02;  // error bit of the status answer
const QColor kLime{0x00, 0xFF, 0x00};

// The reference points of the two output types: the calibration points lie
// at low and high, a target is typed in µA or mV up to its limit.
struct OutputType {
    double low, high;
    int limit;
    const char* fullScale;  // the square wave's upper text
    const char* unit;
};
constexpr OutputType kCurrentOutput{4000, 20000, 25000, "20000", "µA"};
constexpr OutputType kVoltageOutput{2000, 10000, 12500, "10000", "mV"};

std::optional<long long> TypedInteger(const QLineEdit* edit) {
    bool ok = false;
    const long long n = edit->text().trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<long long>(n) : std::nullopt;
}

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit("00000", parent);
    e->setObjectName(name);
    LimitTypedLength(e, 5);
    e->setMaximumWidth(70);
    return e;
}
}  // namespace

OutputCalibrationPage::OutputCalibrationPage(InstrumentContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("TabSheet14");
    QGroupBox* box = MakeGroup(this, "GroupBox_KimenetKalibralas", "KIMENET KALIBRÁLÁS");
    auto* v = new QVBoxLayout(box);

    auto* requests = new LatchingGroup(this);
    SpeedButton_ReadPWMCal = MakeButton(box, "SpeedButton_ReadPWMCal", "Kiolvasás a készülékből");
    requests->add(SpeedButton_ReadPWMCal);
    SpeedButton_PWMForce = MakeButton(box, "SpeedButton_PWMForce", "PWM közvetlen vezérlése a kalibráláshoz");
    SpeedButton_PWMForce->setCheckable(true);
    auto* top = new QHBoxLayout;
    top->addWidget(SpeedButton_ReadPWMCal);
    top->addWidget(SpeedButton_PWMForce);
    top->addStretch(1);
    v->addLayout(top);

    Shape_Check = new Lamp(box);
    Shape_Check->setObjectName("Shape_Check");
    Shape_Check->setBrushColor(kLime);
    Shape_Check->hide();
    auto* checks = new LatchingGroup(this);
    SpeedButton_CheckCurrent = MakeButton(box, "SpeedButton_CheckCurrent", "Ellenőrzés: 12 mA");
    SpeedButton_CheckVoltage = MakeButton(box, "SpeedButton_CheckVoltage", "Ellenőrzés: 5 V");
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(Shape_Check);
    for (QPushButton* b : {SpeedButton_CheckCurrent, SpeedButton_CheckVoltage}) {
        checks->add(b);
        b->hide();
        checkRow->addWidget(b);
        connect(b, &QPushButton::toggled, this, [this] {
            Shape_Check->setVisible(SpeedButton_CheckCurrent->isChecked() || SpeedButton_CheckVoltage->isChecked());
        });
    }
    checkRow->addStretch(1);
    v->addLayout(checkRow);

    auto* groups = new QHBoxLayout;
    groups->addWidget(BuildStoredGroup());
    groups->addWidget(BuildBoardGroup());
    groups->addStretch(1);
    v->addLayout(groups);
    GroupBox_OutputCal = BuildOutputCal();
    v->addWidget(GroupBox_OutputCal);
    requests->add(SpeedButton_CalPWML);
    requests->add(SpeedButton_CalPWMH);

    auto* page = new QVBoxLayout(this);
    page->addWidget(box);
    page->addStretch(1);

    X = new QTimer(this);
    X->setObjectName("X");
    X->setInterval(1000);
    connect(X, &QTimer::timeout, this, &OutputCalibrationPage::XTimer);
    X->start();

    connect(SpeedButton_PWMForce, &QPushButton::toggled, this, &OutputCalibrationPage::SpeedButton_PWMForceClick);
    connect(RadioGroup_KimenetTipusa, &RadioGroup::itemIndexChanged, this,
            &OutputCalibrationPage::RadioGroup_KimenetTipusaClick);
    connect(TrackBar_SetPXAO, &QSlider::valueChanged, this, &OutputCalibrationPage::TrackBar_SetPXAOChange);
    connect(Button_PWMWrite, &QPushButton::clicked, this, &OutputCalibrationPage::Button_PWMWriteClick);
    connect(Edit_PWM, &QLineEdit::returnPressed, this, &OutputCalibrationPage::Button_PWMWriteClick);
    connect(Button_PWMTestWrite, &QPushButton::clicked, this, &OutputCalibrationPage::Button_PWMTestWriteClick);
    connect(Edit_PWMTest, &QLineEdit::returnPressed, this, &OutputCalibrationPage::Button_PWMTestWriteClick);
    RadioGroup_KimenetTipusaClick();
}

QWidget* OutputCalibrationPage::BuildStoredGroup() {
    QGroupBox* box = MakeGroup(this, "GroupBox_KiolvPWM", "KIOLV. PWM ÉRTÉKEK");
    auto* grid = new QGridLayout(box);
    const struct {
        const char* caption;
        const char* name;
        uint16_t tRX::*field;
        uint16_t TGlobalVar::*previous;
    } rows[] = {
        {"4 mA =", "Label_PWM4mA", &tRX::uPWMForIL, &TGlobalVar::uPWMForILPrevious},
        {"20 mA =", "Label_PWM20mA", &tRX::uPWMForIH, &TGlobalVar::uPWMForIHPrevious},
        {"2 V =", "Label_PWM2V", &tRX::uPWMForUL, &TGlobalVar::uPWMForULPrevious},
        {"10 V =", "Label_PWM10V", &tRX::uPWMForUH, &TGlobalVar::uPWMForUHPrevious},
    };
    for (std::size_t i = 0; i < points_.size(); ++i) {
        QLabel* value = MakeLabel(box, rows[i].name, "?");
        value->setMinimumWidth(60);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int row = int(i % 2), column = int(i / 2) * 2;  // current on the left, voltage on the right
        grid->addWidget(MakeLabel(box, "Label_KiolvPWMCaption", rows[i].caption), row, column, Qt::AlignRight);
        grid->addWidget(value, row, column + 1);
        points_[i] = {rows[i].field, rows[i].previous, value};
    }
    Label_PWM4mA = points_[0].label;
    Label_PWM20mA = points_[1].label;
    Label_PWM2V = points_[2].label;
    Label_PWM10V = points_[3].label;
    return box;
}

QWidget* OutputCalibrationPage::BuildBoardGroup() {
    QGroupBox* box = MakeGroup(this, "GroupBox_PXAONyak", "PXAO NYÁK HELYE");
    auto* v = new QVBoxLayout(box);
    RadioButton_PXAOModul1 = new QRadioButton(QString::fromUtf8("Kimenet 2"), box);
    RadioButton_PXAOModul1->setObjectName("RadioButton_PXAOModul1");
    RadioButton_PXAOModul2 = new QRadioButton(QString::fromUtf8("Kimenet 1"), box);
    RadioButton_PXAOModul2->setObjectName("RadioButton_PXAOModul2");
    RadioButton_PXAOModul2->setChecked(true);
    v->addWidget(RadioButton_PXAOModul1);
    v->addWidget(RadioButton_PXAOModul2);
    return box;
}

QWidget* OutputCalibrationPage::BuildOutputCal() {
    QGroupBox* box = MakeGroup(this, "GroupBox_OutputCal", "KIMENET KALIBRÁLÁS");
    box->hide();
    auto* grid = new QGridLayout(box);
    RadioGroup_KimenetTipusa =
        MakeRadioGroup(box, "RadioGroup_KimenetTipusa", "Kimenet típusa", {"Áram", "Feszültség"}, 2, 0);
    SpeedButton_CalPWML = MakeButton(box, "SpeedButton_CalPWML", "Kalibrálás 4 mA");
    SpeedButton_CalPWMH = MakeButton(box, "SpeedButton_CalPWMH", "Kalibrálás 20 mA");
    grid->addWidget(RadioGroup_KimenetTipusa, 0, 0, 1, 3);
    grid->addWidget(SpeedButton_CalPWML, 0, 3, 1, 2);
    grid->addWidget(SpeedButton_CalPWMH, 0, 5, 1, 3);

    Label_PWM = MakeLabel(box, "Label_PWM", "00000");
    Label_PWM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont big = Label_PWM->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    Label_PWM->setFont(big);
    MBarGraph_PWM = new TMBarGraph(box);
    MBarGraph_PWM->setObjectName("MBarGraph_PWM");
    MBarGraph_PWM->setMBGMode(TMBarGraph::modeUnsigned);
    MBarGraph_PWM->setFixedHeight(17);
    grid->addWidget(Label_PWM, 1, 0, 1, 2);
    grid->addWidget(MBarGraph_PWM, 1, 2, 1, 6);

    TrackBar_SetPXAO = new QSlider(Qt::Horizontal, box);
    TrackBar_SetPXAO->setObjectName("TrackBar_SetPXAO");
    TrackBar_SetPXAO->setRange(0, 66);  // thousands of PWM steps
    TrackBar_SetPXAO->setPageStep(10);
    TrackBar_SetPXAO->setTickPosition(QSlider::TicksBelow);
    TrackBar_SetPXAO->setTickInterval(10);
    grid->addWidget(TrackBar_SetPXAO, 2, 0, 1, 8);

    const struct {
        const char* name;
        const char* caption;
        int delta;
    } steps[] = {
        {"Button_PWMDec4", "----", -5000}, {"Button_PWMDec3", "---", -400},  {"Button_PWMDec2", "--", -20},
        {"Button_PWMDec1", "-", -1},       {"Button_PWMInc1", "+", 1},       {"Button_PWMInc2", "++", 20},
        {"Button_PWMInc3", "+++", 400},    {"Button_PWMInc4", "++++", 5000},
    };
    for (int i = 0; i < int(std::size(steps)); ++i) {
        QPushButton* b = MakeButton(box, steps[i].name, steps[i].caption);
        connect(b, &QPushButton::clicked, this, [this, d = steps[i].delta] { StepPwm(d); });
        grid->addWidget(b, 3, i);
    }

    // The fixed values; the previous ones are read when pressed, so they
    // follow the latest calibration answer and the output type.
    const struct {
        const char* name;
        const char* caption;
        std::function<int()> value;
        int column, span;
    } presets[] = {
        {"Button_PWMMin", "Min", [] { return 0; }, 0, 1},
        {"Button_PWMMid", "Köz", [] { return 32768; }, 1, 1},
        {"Button_PWMMax", "Max", [] { return kPwmMax; }, 2, 1},
        {"Button_PWMPreviousLow", "Előző alsó érték", [this] { return ctx_.recGlobalVar.*PointOf(false).previous; }, 3,
         2},
        {"Button_PWMPreviousHigh", "Előző felső érték", [this] { return ctx_.recGlobalVar.*PointOf(true).previous; }, 5,
         3},
    };
    for (const auto& p : presets) {
        QPushButton* b = MakeButton(box, p.name, p.caption);
        connect(b, &QPushButton::clicked, this, [this, value = p.value] { SetPwm(value()); });
        grid->addWidget(b, 4, p.column, 1, p.span);
    }

    Edit_PWM = NumberEdit(box, "Edit_PWM");
    Button_PWMWrite = MakeButton(box, "Button_PWMWrite", "Számot beír");
    grid->addWidget(MakeLabel(box, "Label_PWMDirect", "A már kalibrált bemenet közvetlen vezérlése:"), 5, 0, 1, 5);
    grid->addWidget(Edit_PWM, 5, 5);
    grid->addWidget(Button_PWMWrite, 5, 6, 1, 2);
    Edit_PWMTest = NumberEdit(box, "Edit_PWMTest");
    Button_PWMTestWrite = MakeButton(box, "Button_PWMTestWrite", "Kiszámol és beír");
    CheckBox_PXA_Astable = new QCheckBox(QString::fromUtf8("Astabil"), box);
    CheckBox_PXA_Astable->setObjectName("CheckBox_PXA_Astable");
    grid->addWidget(CheckBox_PXA_Astable, 6, 0, 1, 2);
    grid->addWidget(MakeLabel(box, "Label_PWMTestUnit", "uA vagy mV"), 6, 2, 1, 3, Qt::AlignRight);
    grid->addWidget(Edit_PWMTest, 6, 5);
    grid->addWidget(Button_PWMTestWrite, 6, 6, 1, 2);
    return box;
}

bool OutputCalibrationPage::Current() const { return RadioGroup_KimenetTipusa->ItemIndex() == 0; }

void OutputCalibrationPage::ShowPwmValue(uint16_t value) {
    const QString text = ctx_.FormatNumber(value, kPwmMask);
    if (Label_PWM->text() != text) Label_PWM->setText(text);
    MBarGraph_PWM->setMBGValue(value / double(kPwmMax));
    // The user's own drag is left alone.
    if (!TrackBar_SetPXAO->hasFocus()) TrackBar_SetPXAO->setValue(int(RoundHalfEven(value / 1000.0)));
}

void OutputCalibrationPage::SetPwm(int value) {
    ctx_.recTX.uPWM = uint16_t(std::clamp(value, 0, kPwmMax));
    ShowPwmValue(ctx_.recTX.uPWM);
}

void OutputCalibrationPage::StepPwm(int delta) { SetPwm(ctx_.recTX.uPWM + delta); }

void OutputCalibrationPage::SpeedButton_PWMForceClick() {
    const bool down = SpeedButton_PWMForce->isChecked();
    GroupBox_OutputCal->setVisible(down);
    SpeedButton_CheckCurrent->setVisible(down);
    SpeedButton_CheckVoltage->setVisible(down);
    if (down) {
        RadioGroup_KimenetTipusaClick();
        ShowPwmValue(ctx_.recTX.uPWM);
        return;
    }
    // Nothing stored and nothing checked without the output under control.
    for (QPushButton* b :
         {SpeedButton_CalPWML, SpeedButton_CalPWMH, SpeedButton_CheckCurrent, SpeedButton_CheckVoltage})
        b->setChecked(false);
}

void OutputCalibrationPage::RadioGroup_KimenetTipusaClick() {
    const bool current = Current();
    SpeedButton_CalPWML->setText(QString::fromUtf8(current ? "Kalibrálás 4 mA" : "Kalibrálás 2 V"));
    SpeedButton_CalPWMH->setText(QString::fromUtf8(current ? "Kalibrálás 20 mA" : "Kalibrálás 10 V"));
}

void OutputCalibrationPage::TrackBar_SetPXAOChange() {
    // Positions set by ShowPwmValue must not round the value back.
    if (!TrackBar_SetPXAO->hasFocus()) return;
    SetPwm(TrackBar_SetPXAO->value() * 1000);
}

void OutputCalibrationPage::Button_PWMWriteClick() {
    // Text that is no number is refused rather than taken as 0, which would
    // drive the output to one end; a number beyond the PWM range is its top.
    const std::optional<long long> n = TypedInteger(Edit_PWM);
    if (!n || *n < 0) {
        ctx_.Inform(QString::fromUtf8("A beírt PWM érték („%1”) nem egész szám a 0 … 65 535 tartományban; "
                                      "a kimenet nem változott.")
                        .arg(Edit_PWM->text()));
        return;
    }
    const int pwm = int(std::min<long long>(*n, kPwmMax));
    Edit_PWM->setText(QString::number(pwm));
    SetPwm(pwm);
}

void OutputCalibrationPage::Button_PWMTestWriteClick() {
    const OutputType& type = Current() ? kCurrentOutput : kVoltageOutput;
    const tRX& rx = ctx_.recRX;
    // The target is limited to what the output can give; text that is no
    // number is refused rather than taken as 0.
    const std::optional<long long> typed = TypedInteger(Edit_PWMTest);
    QString refusal;
    double pwm = 0;
    if (!typed) {
        refusal = QString::fromUtf8(
                      "A beírt cél érték („%1”) nem egész szám a 0 … %2 %3 tartományban; "
                      "a kimenet nem változott.")
                      .arg(Edit_PWMTest->text(), ctx_.FormatNumber(type.limit, "## ##0"), QString::fromUtf8(type.unit));
    } else {
        const int t = int(std::clamp<long long>(*typed, 0, type.limit));
        Edit_PWMTest->setText(QString::number(t));
        const double low = rx.*PointOf(false).field, high = rx.*PointOf(true).field;
        // Held in single precision before rounding, as the instrument's own
        // arithmetic does.
        const float line = float((high - low) / (type.high - type.low) * (t - type.low) + low);
        pwm = RoundHalfEven(line);
        if (pwm < 0 || pwm > kPwmMax)
            refusal = QString::fromUtf8(
                          "A kiszámolt PWM érték (%1) kívül esik a 0 … 65 535 tartományon; "
                          "ellenőrizze a kiolvasott kalibrációs pontokat. A kimenet nem változott.")
                          .arg(ctx_.FormatNumber(pwm, "0"));
    }
    if (refusal.isEmpty()) {
        SetPwm(int(pwm));
        return;
    }
    // The square wave stops first, so the message is not repeated every second.
    CheckBox_PXA_Astable->setChecked(false);
    ctx_.Inform(refusal);
}

void OutputCalibrationPage::XTimer() {
    if (!CheckBox_PXA_Astable->isChecked()) return;
    const QString full = QString::fromUtf8(Current() ? kCurrentOutput.fullScale : kVoltageOutput.fullScale);
    Edit_PWMTest->setText(Edit_PWMTest->text() == "0" ? full : QString("0"));
    Button_PWMTestWriteClick();
}

uint8_t OutputCalibrationPage::ForceBits() {
    uint8_t bits = 0;
    if (SpeedButton_PWMForce->isChecked()) bits |= kForce;
    if (Current()) bits |= kCurrent;
    const bool uncalibrated = ctx_.recRX.uErrorBits & kUncalibratedOutput;
    for (auto [button, bit] :
         {std::pair{SpeedButton_CheckCurrent, kCheck12mA}, std::pair{SpeedButton_CheckVoltage, kCheck5V}}) {
        if (!button->isChecked()) continue;
        if (uncalibrated)
            button->setChecked(false);  // an uncalibrated output has no mid-scale to check
        else
            bits |= bit;
    }
    if (RadioButton_PXAOModul1->isChecked()) bits |= kSecondBoard;
    return bits;
}

void OutputCalibrationPage::ShowPoint(const Point& p) {
    const QString text = ctx_.FormatNumber(ctx_.recRX.*p.field, kPwmMask);
    if (p.label->text() != text) p.label->setText(text);
}

void OutputCalibrationPage::DecodeAnswer(uint8_t code) {
    if (code == kReadOutputCalibration) {
        // Only what the instrument holds; the previous values stay those of
        // the last calibration made here.
        for (const Point& p : points_) {
            ctx_.recRX.*p.field = ctx_.transfer.ReadWord();
            ShowPoint(p);
        }
        return;
    }
    // The output type chosen now, not when the request left.
    const Point& p = PointOf(code == kCalibrateOutputHigh);
    ctx_.recRX.*p.field = ctx_.transfer.ReadWord();
    ctx_.recGlobalVar.*p.previous = ctx_.recRX.*p.field;
    ShowPoint(p);
}

}  // namespace velmar
