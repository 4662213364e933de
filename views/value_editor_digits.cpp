#include "views/value_editor_digits.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

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

QPushButton* MakeButton(const QString& name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

constexpr int kDigitSteps[5] = {10000, 1000, 100, 10, 1};

}  // namespace

TForm_IncDec::TForm_IncDec(ValueDestinations& destinations, QWidget* parent)
    : QDialog(parent), destinations_(destinations) {
    setObjectName("TForm_IncDec");
    setWindowTitle(QString::fromUtf8("Számérték módosítása"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);

    Button_Esc = MakeButton("Button_Esc", "Kilépés (Esc)", this);
    layout->addWidget(Button_Esc, 0, Qt::AlignLeft);

    GroupBox_SzamlaloModositas = new QGroupBox(this);
    GroupBox_SzamlaloModositas->setObjectName("GroupBox_SzamlaloModositas");
    QWidget* box = GroupBox_SzamlaloModositas;
    auto* group = new QVBoxLayout(box);

    Label_Caption = new QLabel(box);
    Label_Caption->setObjectName("Label_Caption");
    Label_Caption->setAlignment(Qt::AlignCenter);
    Label_Caption->setFont(ArialFont(16));
    Label_Caption->setWordWrap(true);
    Label_Caption->setMinimumWidth(440);
    group->addWidget(Label_Caption);

    // Digit i sits in column 2i; the comma after it in column 2i + 1.
    auto* digits = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        const QString n = QString::number(i + 1);
        Button_PlusDigit[i] = MakeButton("Button_PlusDigit" + n, "+", box);
        Button_MinusDigit[i] = MakeButton("Button_MinusDigit" + n, "-", box);
        for (QPushButton* b : {Button_PlusDigit[i], Button_MinusDigit[i]}) b->setFont(ArialFont(64));
        Label_Digit[i] = new QLabel(box);
        Label_Digit[i]->setObjectName("Label_Digit" + n);
        Label_Digit[i]->setFont(ArialFont(29));
        Label_Digit[i]->setAlignment(Qt::AlignCenter);

        const int decimals = 4 - i;  // a comma after digit i leaves 4 - i digits behind it
        QLabel* comma = new QLabel(",", box);
        comma->setObjectName("Label_uDecimal" + QString::number(decimals));
        comma->setFont(ArialFont(64));
        // A hidden comma keeps its room, so the digits do not move.
        QSizePolicy keep = comma->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        comma->setSizePolicy(keep);
        Label_uDecimal[decimals] = comma;

        digits->addWidget(Button_PlusDigit[i], 0, 2 * i);
        digits->addWidget(Label_Digit[i], 1, 2 * i);
        digits->addWidget(Button_MinusDigit[i], 2, 2 * i);
        digits->addWidget(comma, 1, 2 * i + 1);

        const int step = kDigitSteps[i];
        connect(Button_PlusDigit[i], &QPushButton::clicked, this, [this, step] { IncOrDecValue(step); });
        connect(Button_MinusDigit[i], &QPushButton::clicked, this, [this, step] { IncOrDecValue(-step); });
    }
    group->addLayout(digits);

    auto* presets = new QHBoxLayout;
    Button_NullAll = MakeButton("Button_NullAll", "A teljes szám nullázása", box);
    Button_Min = MakeButton("Button_Min", "Minimum érték", box);
    Button_Max = MakeButton("Button_Max", "Maximum érték", box);
    for (QPushButton* b : {Button_NullAll, Button_Min, Button_Max}) presets->addWidget(b);
    group->addLayout(presets);
    layout->addWidget(GroupBox_SzamlaloModositas);

    Button_OK = MakeButton("Button_OK", "OK", this);
    Button_OK->setDefault(true);
    layout->addWidget(Button_OK, 0, Qt::AlignRight);

    // Fixed from the start: the opener positions the dialog by its size
    // before it is shown.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    connect(Button_OK, &QPushButton::clicked, this, &TForm_IncDec::Button_OKClick);
    connect(Button_Esc, &QPushButton::clicked, this, &TForm_IncDec::Button_EscClick);
    connect(Button_Min, &QPushButton::clicked, this, &TForm_IncDec::Button_MinClick);
    connect(Button_Max, &QPushButton::clicked, this, &TForm_IncDec::Button_MaxClick);
    connect(Button_NullAll, &QPushButton::clicked, this, &TForm_IncDec::Button_NullAllClick);
}

void TForm_IncDec::ShowValue() {
    const int64_t a = std::llabs(int64_t(iValue));
    Label_Digit[0]->setText(iValue < 0 ? QStringLiteral("-") : QString::number((a / 10000) % 10));
    Label_Digit[1]->setText(QString::number((a / 1000) % 10));
    Label_Digit[2]->setText(QString::number((a / 100) % 10));
    Label_Digit[3]->setText(QString::number((a / 10) % 10));
    Label_Digit[4]->setText(QString::number(a % 10));
    // Always a comma, whatever the system's separator: it is a mark on the
    // digits, not a formatted number.
    for (QLabel* comma : Label_uDecimal) comma->hide();
    if (uDecimalPoint < Label_uDecimal.size()) Label_uDecimal[uDecimalPoint]->show();
}

void TForm_IncDec::IncOrDecValue(int iDifferent) {
    int64_t v = int64_t(iValue) + iDifferent;
    if (v > iMax) v = iMax;
    if (v < iMin) v = iMin;
    iValue = int32_t(v);
    ShowValue();
}

void TForm_IncDec::Button_OKClick() {
    // Every step already kept the value within the limits.
    destinations_.Deliver(iIdentifier, iValue);
    accept();
}

void TForm_IncDec::Button_EscClick() { reject(); }

void TForm_IncDec::Button_MinClick() {
    iValue = iMin;
    ShowValue();
}

void TForm_IncDec::Button_MaxClick() {
    iValue = iMax;
    ShowValue();
}

void TForm_IncDec::Button_NullAllClick() {
    iValue = 0;
    ShowValue();
}

}  // namespace velmar
