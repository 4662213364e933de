#include "gui/views/value_editor_digits.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace velmar {

namespace {

constexpr int kDigitSteps[5] = {10000, 1000, 100, 10, 1};

}  // namespace

TForm_IncDec::TForm_IncDec(ValueDestinations& destinations, QChar decimalSeparator, QWidget* parent)
    : ValueEditor(destinations, "TForm_IncDec", parent) {
    QWidget* box = GroupBox_SzamlaloModositas;

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
        QLabel* comma = new QLabel(QString(decimalSeparator), box);
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
    ValueLayout()->addLayout(digits);

    auto* presets = new QHBoxLayout;
    Button_NullAll = MakeButton("Button_NullAll", "A teljes szám nullázása", box);
    MakeMinButton(box);
    MakeMaxButton(box);
    for (QPushButton* b : {Button_NullAll, Button_Min, Button_Max}) presets->addWidget(b);
    ValueLayout()->addLayout(presets);

    FinishLayout();
    connect(Button_NullAll, &QPushButton::clicked, this, &TForm_IncDec::Button_NullAllClick);
}

void TForm_IncDec::ShowValue() {
    const int64_t a = std::llabs(int64_t(iValue));
    Label_Digit[0]->setText(iValue < 0 ? QStringLiteral("-") : QString::number((a / 10000) % 10));
    Label_Digit[1]->setText(QString::number((a / 1000) % 10));
    Label_Digit[2]->setText(QString::number((a / 100) % 10));
    Label_Digit[3]->setText(QString::number((a / 10) % 10));
    Label_Digit[4]->setText(QString::number(a % 10));
    for (QLabel* comma : Label_uDecimal) comma->hide();
    if (uDecimalPoint < Label_uDecimal.size()) Label_uDecimal[uDecimalPoint]->show();
}

void TForm_IncDec::setDecimalSeparator(QChar separator) {
    for (QLabel* mark : Label_uDecimal) mark->setText(QString(separator));
}

void TForm_IncDec::IncOrDecValue(int iDifferent) {
    int64_t v = int64_t(iValue) + iDifferent;
    if (v > iMax) v = iMax;
    if (v < iMin) v = iMin;
    iValue = int32_t(v);
    ShowValue();
}

void TForm_IncDec::Button_NullAllClick() {
    iValue = 0;
    ShowValue();
}

}  // namespace velmar
