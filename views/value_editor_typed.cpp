#include "views/value_editor_typed.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "device/number_mask.h"
#include "views/value_destinations.h"

namespace velmar {

namespace {

// Arial where it is installed, a look-alike sans serif elsewhere.
QFont ArialFont(int pixelSize) {
    QFont f;
    f.setFamilies({"Arial", "Liberation Sans", "Arimo", "Helvetica"});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    return f;
}

struct DecimalMask {
    float divider;
    const char* upToFourDigits;  // abs(v) < 10000
    const char* fiveDigits;      // abs(v) >= 10000
};
// Four digits with leading zeros for a value that fits, five for a larger one.
constexpr std::array<DecimalMask, 5> kMasks{{
    {1.0f, "0000", "00000"},
    {10.0f, "000.0", "0000.0"},
    {100.0f, "00.00", "000.00"},
    {1000.0f, "0.000", "00.000"},
    {10000.0f, "0.0000", "0.0000"},
}};

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

QLabel* MakeCentredLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

TForm_IncDecEdit::TForm_IncDecEdit(ValueDestinations& destinations, QChar decimalSeparator, QWidget* parent)
    : QDialog(parent), destinations_(destinations), decimalSeparator_(decimalSeparator) {
    setObjectName("TForm_IncDecEdit");
    setWindowTitle(QString::fromUtf8("Számérték módosítása"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);

    Button_Esc = MakeButton("Button_Esc", "Kilépés (Esc)", this);
    layout->addWidget(Button_Esc, 0, Qt::AlignLeft);

    GroupBox_SzamlaloModositas = new QGroupBox(this);
    GroupBox_SzamlaloModositas->setObjectName("GroupBox_SzamlaloModositas");
    auto* group = new QVBoxLayout(GroupBox_SzamlaloModositas);
    QWidget* box = GroupBox_SzamlaloModositas;

    Label_Caption = MakeCentredLabel("Label_Caption", box);
    Label_Caption->setFont(ArialFont(16));
    Label_Caption->setWordWrap(true);
    // Wide enough for the longest purpose text on one line, so that the
    // dialog keeps its size (and its place) whatever the opener writes.
    Label_Caption->setMinimumWidth(440);
    group->addWidget(Label_Caption);

    auto* editRow = new QHBoxLayout;
    Edit_Value = new QLineEdit(box);
    Edit_Value->setObjectName("Edit_Value");
    Edit_Value->setFont(ArialFont(19));
    Edit_Value->setAlignment(Qt::AlignCenter);
    Edit_Value->installEventFilter(this);
    editRow->addWidget(Edit_Value, 1);
    Button_Torol = MakeButton("Button_Torol", "Töröl", box);
    editRow->addWidget(Button_Torol);
    group->addLayout(editRow);

    auto* presets = new QGridLayout;
    Button_Min = MakeButton("Button_Min", "Minimum érték", box);
    Label_Min = MakeCentredLabel("Label_Min", box);
    Button_OldValue = MakeButton("Button_OldValue", "Változtatás előtti érték", box);
    Label_OldValue = MakeCentredLabel("Label_OldValue", box);
    Button_Max = MakeButton("Button_Max", "Maximum érték", box);
    Label_Max = MakeCentredLabel("Label_Max", box);
    presets->addWidget(Button_Min, 0, 0);
    presets->addWidget(Label_Min, 1, 0);
    presets->addWidget(Button_OldValue, 0, 1);
    presets->addWidget(Label_OldValue, 1, 1);
    presets->addWidget(Button_Max, 0, 2);
    presets->addWidget(Label_Max, 1, 2);
    group->addLayout(presets);
    layout->addWidget(GroupBox_SzamlaloModositas);

    Button_OK = MakeButton("Button_OK", "OK", this);
    Button_OK->setDefault(true);
    layout->addWidget(Button_OK, 0, Qt::AlignRight);

    // Fixed from the start: the opener positions the dialog by its size
    // before it is shown.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    connect(Button_OK, &QPushButton::clicked, this, &TForm_IncDecEdit::Button_OKClick);
    connect(Button_Esc, &QPushButton::clicked, this, &TForm_IncDecEdit::Button_EscClick);
    connect(Button_Min, &QPushButton::clicked, this, &TForm_IncDecEdit::Button_MinClick);
    connect(Button_Max, &QPushButton::clicked, this, &TForm_IncDecEdit::Button_MaxClick);
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
    Edit_Value->setText(FormatValue(iValue));
    Label_Min->setText(FormatValue(iMin));
    Label_Max->setText(FormatValue(iMax));
    Label_OldValue->setText(FormatValue(iOldValue));
}

bool TForm_IncDecEdit::ParseEdit(double& number) const {
    QString text = Edit_Value->text().trimmed();
    if (text.isEmpty()) return false;
    if (decimalSeparator_ != QLatin1Char('.')) {
        // A point is no decimal separator here, and no digit either.
        if (text.contains(QLatin1Char('.'))) return false;
        text.replace(decimalSeparator_, QLatin1Char('.'));
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    number = c.toDouble(text, &ok);
    return ok && std::isfinite(number);
}

void TForm_IncDecEdit::Button_OKClick() {
    double number = 0;
    // Text that is no number leaves the value as the opener or the last
    // preset button set it.
    if (ParseEdit(number)) {
        const double scaled = RoundHalfEven(number * double(fDivider));
        iValue = int32_t(std::clamp(scaled, double(std::numeric_limits<int32_t>::min()),
                                    double(std::numeric_limits<int32_t>::max())));
    }
    if (iValue < iMin)
        iValue = iMin;
    else if (iValue > iMax)
        iValue = iMax;
    destinations_.Deliver(iIdentifier, iValue);
    accept();
}

void TForm_IncDecEdit::Button_EscClick() { reject(); }

void TForm_IncDecEdit::Button_MinClick() {
    iValue = iMin;
    ShowValue();
}

void TForm_IncDecEdit::Button_MaxClick() {
    iValue = iMax;
    ShowValue();
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
    return QDialog::eventFilter(watched, event);
}

void TForm_IncDecEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Typing replaces the shown value, as the edit gets the focus with its
    // text selected.
    Edit_Value->setFocus();
    Edit_Value->selectAll();
}

}  // namespace velmar
