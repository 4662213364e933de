#include "gui/files/compare_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/files/compare_table.h"

namespace velmar {

namespace {
constexpr int kWidestDialog = 1300;  // on a 1366-pixel screen
}  // namespace

TForm_Compare::TForm_Compare(QWidget* parent, const QString& title, const QString& otherCaption) : QDialog(parent) {
    setObjectName("Form_Compare");
    setWindowTitle(title);
    StringGrid_Compare = new QTableWidget(0, 4, this);
    StringGrid_Compare->setObjectName("StringGrid_Compare");
    StringGrid_Compare->setHorizontalHeaderLabels({"Blokk", "Mező", "Készülék", otherCaption});
    StringGrid_Compare->horizontalHeader()->setStretchLastSection(true);
    StringGrid_Compare->setWordWrap(false);
    StringGrid_Compare->verticalHeader()->hide();
    StringGrid_Compare->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Label_Result = new QLabel(this);
    Label_Result->setObjectName("Label_Result");
    Label_Result->setWordWrap(true);
    Button_Write = new QPushButton(QString::fromUtf8("Beírás"), this);
    Button_Write->setObjectName("Button_Write");
    Button_Close = new QPushButton(QString::fromUtf8("Bezárás"), this);
    Button_Close->setObjectName("Button_Close");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label_Result, 1);
    buttons->addWidget(Button_Write);
    buttons->addWidget(Button_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid_Compare);
    layout->addLayout(buttons);
    resize(760, 520);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button_Write, &QPushButton::clicked, this, [this] {
        const BlockImages chosen = Chosen();
        if (chosen.empty()) {
            ShowResult(QString::fromUtf8("Nincs kijelölt eltérés, nincs mit beírni."));
            return;
        }
        emit writeRequested(chosen);
    });
}

void TForm_Compare::Show(const BlockImages& instrument, FieldContext instrumentContext, const BlockImages& other,
                         FieldContext otherContext) {
    instrument_ = instrument;
    other_ = other;
    rows_ = CompareBlocks(instrument, instrumentContext, other, otherContext);
    differences_ = 0;
    for (const FieldRow& r : rows_) differences_ += r.differs;
    // A new table each time: a tick taken off before a write does not stay off.
    StringGrid_Compare->setRowCount(0);
    FillCompareTable(StringGrid_Compare, rows_, decimalSeparator_, OtherColumn::Ticked);
    // Wide enough for every column where the screen allows.
    const int wanted = FitCompareColumns(StringGrid_Compare);
    const QMargins m = layout()->contentsMargins();
    resize(std::clamp(wanted + m.left() + m.right(), width(), kWidestDialog), height());
    // The table is read from its first row.
    StringGrid_Compare->scrollToTop();
    Button_Write->setEnabled(differences_ > 0);
    ShowResult(differences_ == 0 ? QString::fromUtf8("Nincs eltérés.")
                                 : QString::fromUtf8("%1 eltérés; a kijelöltek írhatók be.").arg(differences_));
}

BlockImages TForm_Compare::Chosen() const {
    std::vector<bool> chosen;
    for (std::size_t r = 0; r < rows_.size(); ++r)
        chosen.push_back(StringGrid_Compare->item(int(r), 0)->checkState() == Qt::Checked);
    return TakeChosen(instrument_, other_, rows_, chosen);
}

void TForm_Compare::ShowResult(const QString& text) { Label_Result->setText(text); }

void TForm_Compare::SetBusy(bool busy) {
    Button_Write->setEnabled(!busy && differences_ > 0);
    StringGrid_Compare->setEnabled(!busy);
}

}  // namespace velmar
