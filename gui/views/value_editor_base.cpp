#include "gui/views/value_editor_base.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/views/value_destinations.h"

namespace velmar {

ValueEditor::ValueEditor(ValueDestinations& destinations, const char* objectName, QWidget* parent)
    : QDialog(parent), destinations_(destinations) {
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8("Számérték módosítása"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    layout_ = new QVBoxLayout(this);

    Button_Esc = MakeButton("Button_Esc", "Kilépés (Esc)", this);
    layout_->addWidget(Button_Esc, 0, Qt::AlignLeft);

    GroupBox_SzamlaloModositas = new QGroupBox(this);
    GroupBox_SzamlaloModositas->setObjectName("GroupBox_SzamlaloModositas");
    group_ = new QVBoxLayout(GroupBox_SzamlaloModositas);

    Label_Caption = new QLabel(GroupBox_SzamlaloModositas);
    Label_Caption->setObjectName("Label_Caption");
    Label_Caption->setAlignment(Qt::AlignCenter);
    Label_Caption->setFont(ArialFont(16));
    Label_Caption->setWordWrap(true);
    // Wide enough for the longest purpose text on one line, so that the
    // dialog keeps its size (and its place) whatever the opener writes.
    Label_Caption->setMinimumWidth(440);
    group_->addWidget(Label_Caption);
}

QPushButton* ValueEditor::MakeMinButton(QWidget* box) {
    Button_Min = MakeButton("Button_Min", "Minimum érték", box);
    return Button_Min;
}

QPushButton* ValueEditor::MakeMaxButton(QWidget* box) {
    Button_Max = MakeButton("Button_Max", "Maximum érték", box);
    return Button_Max;
}

void ValueEditor::FinishLayout() {
    layout_->addWidget(GroupBox_SzamlaloModositas);

    Button_OK = MakeButton("Button_OK", "OK", this);
    Button_OK->setDefault(true);
    layout_->addWidget(Button_OK, 0, Qt::AlignRight);

    // Fixed to its content. It is sized when its opener first positions it,
    // not at start: measuring its large fonts would hold up the start.
    layout_->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button_OK, &QPushButton::clicked, this, &ValueEditor::Button_OKClick);
    connect(Button_Esc, &QPushButton::clicked, this, &ValueEditor::Button_EscClick);
    connect(Button_Min, &QPushButton::clicked, this, &ValueEditor::Button_MinClick);
    connect(Button_Max, &QPushButton::clicked, this, &ValueEditor::Button_MaxClick);
}

void ValueEditor::Load(int identifier, const QString& caption, int32_t min, int32_t max, int decimalPoint,
                       int32_t value) {
    iValue = value;
    iMin = min;
    iMax = max;
    iIdentifier = identifier;
    Label_Caption->setText(caption);
    uDecimalPoint = uint8_t(decimalPoint);
}

void ValueEditor::Button_OKClick() {
    destinations_.Deliver(iIdentifier, iValue);
    accept();
}

void ValueEditor::Button_EscClick() { reject(); }

void ValueEditor::Button_MinClick() {
    iValue = iMin;
    ShowValue();
}

void ValueEditor::Button_MaxClick() {
    iValue = iMax;
    ShowValue();
}

QFont ValueEditor::ArialFont(int pixelSize) {
    QFont f;
    f.setFamilies({"Arial", "Liberation Sans", "Arimo", "Helvetica"});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    return f;
}

QPushButton* ValueEditor::MakeButton(const QString& name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    return b;
}

}  // namespace velmar
