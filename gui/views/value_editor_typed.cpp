#include "gui/views/value_editor_typed.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/device/number_mask.h"
#include "gui/views/decimal_input.h"
#include "gui/views/label_colors.h"

namespace velmar {

namespace {

struct DecimalMask {
    float divider;
    const char* upToFourDigits;  // abs(v) < 10000
    const char* fiveDigits;  // abs(v) >= 10000
};
// Four digits with leading zeros for a value that fits, five for a larger one.
constexpr std::array<DecimalMask, 5> kMasks{{
    {1.0f, "0000", "00000"},
    {10.0f, "000.0", "0000.0"},
    {100.0f, "00.00", "000.00"},
    {1000.0f, "0.000", "00.000"},
    {10000.0f, "0.0000", "0.0000"},
}};

QLabel* MakeCentredLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

TForm_IncDecEdit::TForm_IncDecEdit(ValueDestinations& destinations, QChar decimalSeparator, QWidget* parent)
    : ValueEditor(destinations, "TForm_IncDecEdit", parent), decimalSeparator_(decimalSeparator) {
    QWidget* box = GroupBox_SzamlaloModositas;

    auto* editRow = new QHBoxLayout;
    Edit_Value = new QLineEdit(box);
    Edit_Value->setObjectName("Edit_Value");
    Edit_Value->setFont(ArialFont(19));
    Edit_Value->setAlignment(Qt::AlignCenter);
    Edit_Value->installEventFilter(this);
    editRow->addWidget(Edit_Value, 1);
    Button_Torol = MakeButton("Button_Torol", "Töröl", box);
    editRow->addWidget(Button_Torol);
    ValueLayout()->addLayout(editRow);

    auto* presets = new QGridLayout;
    MakeMinButton(box);
    Label_Min = MakeCentredLabel("Label_Min", box);
    Button_OldValue = MakeButton("Button_OldValue", "Változtatás előtti érték", box);
    Label_OldValue = MakeCentredLabel("Label_OldValue", box);
    MakeMaxButton(box);
    Label_Max = MakeCentredLabel("Label_Max", box);
    presets->addWidget(Button_Min, 0, 0);
    presets->addWidget(Label_Min, 1, 0);
    presets->addWidget(Button_OldValue, 0, 1);
    presets->addWidget(Label_OldValue, 1, 1);
    presets->addWidget(Button_Max, 0, 2);
    presets->addWidget(Label_Max, 1, 2);
    ValueLayout()->addLayout(presets);
    Label_Limited = new QLabel(box);
    Label_Limited->setObjectName("Label_Limited");
    Label_Limited->setWordWrap(true);
    SetTextColor(Label_Limited, colors::kRed);
    Label_Limited->hide();
    ValueLayout()->addWidget(Label_Limited);

    FinishLayout();
    connect(Button_OldValue, &QPushButton::clicked, this, &TForm_IncDecEdit::Button_OldValueClick);
    connect(Button_Torol, &QPushButton::clicked, this, &TForm_IncDecEdit::Button_TorolClick);
}

void TForm_IncDecEdit::setDecimalSeparator(QChar separator) { decimalSeparator_ = separator; }

QString TForm_IncDecEdit::FormatValue(int32_t v) {
    // A decimal count the table does not know keeps the previous mask.
    if (uDecimalPoint < kMasks.size()) {
        const DecimalMask& m = kMasks[uDecimalPoint];
        fDivider = m.divider;
        sDigitFormat = std::llabs(int64_t(v)) < 10000 ? m.upToFourDigits : m.fiveDigits;
    }
    return QString::fromStdString(
        FormatMask(double(v) / double(fDivider), sDigitFormat, QString(decimalSeparator_).toStdString()));
}

void TForm_IncDecEdit::ShowValue() {
    Label_Limited->hide();
    Edit_Value->setText(FormatValue(iValue));
    Label_Min->setText(FormatValue(iMin));
    Label_Max->setText(FormatValue(iMax));
    Label_OldValue->setText(FormatValue(iOldValue));
}

bool TForm_IncDecEdit::ParseEdit(double& number) const {
    return ParseDecimal(Edit_Value->text(), decimalSeparator_, number);
}

void TForm_IncDecEdit::Button_OKClick() {
    double number = 0;
    // Text that is no number leaves the value as the opener or the last
    // preset button set it.
    const bool typed = ParseEdit(number);
    if (typed) {
        const double scaled = RoundHalfEven(number * double(fDivider));
        iValue = int32_t(std::clamp(scaled, double(std::numeric_limits<int32_t>::min()),
                                    double(std::numeric_limits<int32_t>::max())));
    }
    const int32_t limited = std::clamp(iValue, iMin, iMax);
    if (typed && limited != iValue) {
        // Never stored silently: the user sees the value it became and
        // confirms it with another OK.
        const QString asTyped = Edit_Value->text();
        iValue = limited;
        Edit_Value->setText(FormatValue(iValue));
        Label_Limited->setText(QString::fromUtf8("A beírt érték (%1) kívül esik a megengedett tartományon "
                                                 "(%2 … %3), ezért %4 lett belőle. Az OK ezt tárolja.")
                                   .arg(asTyped.trimmed(), FormatValue(iMin), FormatValue(iMax), FormatValue(iValue)));
        Label_Limited->show();
        adjustSize();
        return;
    }
    iValue = limited;
    ValueEditor::Button_OKClick();
}

void TForm_IncDecEdit::Button_OldValueClick() {
    iValue = iOldValue;
    ShowValue();
}

void TForm_IncDecEdit::Button_TorolClick() {
    Edit_Value->clear();
    Edit_Value->setFocus();
}

void TForm_IncDecEdit::Edit_ValueKeyPress(QChar& key) const {
    if (key == QLatin1Char(',') || key == QLatin1Char('.')) key = decimalSeparator_;
}

bool TForm_IncDecEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit_Value && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && key->text().size() == 1) {
            const QChar typed = key->text().front();
            QChar translated = typed;
            Edit_ValueKeyPress(translated);
            if (translated != typed) {
                Edit_Value->insert(QString(translated));
                return true;
            }
        }
    }
    return ValueEditor::eventFilter(watched, event);
}

void TForm_IncDecEdit::showEvent(QShowEvent* event) {
    ValueEditor::showEvent(event);
    // Typing replaces the shown value, as the edit gets the focus with its
    // text selected.
    Edit_Value->setFocus();
    Edit_Value->selectAll();
}

}  // namespace velmar
