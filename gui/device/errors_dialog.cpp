#include "gui/device/errors_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/device/status_texts.h"
#include "gui/views/label_colors.h"

namespace velmar {

TForm_Errors::TForm_Errors(QWidget* parent) : QDialog(parent) {
    setObjectName("TForm_Errors");
    setWindowTitle("Errors");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QString::fromUtf8("RÉSZLETES HIBAJELZÉS"), this);
    group->setObjectName("GroupBox18");
    auto* column = new QVBoxLayout(group);
    const auto kLabels = ErrorBitTexts();
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        auto* l = new QLabel(QString::fromUtf8(kLabels[i].caption), group);
        l->setObjectName(kLabels[i].label);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(260);
        ErrorMessageOnOff(l, false);
        column->addWidget(l);
        labels_[i] = l;
    }
    layout->addWidget(group);
    Button_Esc = new QPushButton(QString::fromUtf8("Kilépés (Esc)"), this);
    Button_Esc->setObjectName("Button_Esc");
    connect(Button_Esc, &QPushButton::clicked, this, &QDialog::reject);  // Esc does the same
    layout->addWidget(Button_Esc, 0, Qt::AlignCenter);
}

void TForm_Errors::ErrorMessageOnOff(QLabel* label, bool on) {
    if (on)
        SetLabelColors(label, colors::kRed, colors::kWhite);
    else
        SetLabelColors(label, colors::ButtonFace(), colors::kGrey);
}

void TForm_Errors::ShowErrorBits(uint32_t errorBits) {
    const auto kLabels = ErrorBitTexts();
    for (std::size_t i = 0; i < labels_.size(); ++i)
        if (kLabels[i].bit >= 0) ErrorMessageOnOff(labels_[i], errorBits & (1u << kLabels[i].bit));
}

QLabel* TForm_Errors::Label(const char* name) const {
    for (QLabel* l : labels_)
        if (l->objectName() == QLatin1String(name)) return l;
    return nullptr;
}

}  // namespace velmar
