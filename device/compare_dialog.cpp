#include "device/compare_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace velmar {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
const QColor kDifference(255, 236, 150);
constexpr int kValueWidth = 240;
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
    const char separator = decimalSeparator_.toLatin1();
    differences_ = 0;
    StringGrid_Compare->setRowCount(0);
    for (const FieldRow& r : rows_) {
        const int row = StringGrid_Compare->rowCount();
        StringGrid_Compare->insertRow(row);
        auto* block = new QTableWidgetItem(QString::fromUtf8(r.block->caption));
        // Only a difference has a tick box.
        block->setFlags(r.differs ? block->flags() | Qt::ItemIsUserCheckable : block->flags() & ~Qt::ItemIsUserCheckable);
        if (r.differs) {
            block->setCheckState(Qt::Checked);
            ++differences_;
        }
        StringGrid_Compare->setItem(row, 0, block);
        StringGrid_Compare->setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(r.mine.caption)));
        for (const auto& [column, field] : {std::pair{2, &r.mine}, std::pair{3, &r.theirs}}) {
            auto* value = new QTableWidgetItem(Q(FieldValueText(*field, separator)));
            value->setToolTip(value->text());  // a long choice may be cut short in its column
            StringGrid_Compare->setItem(row, column, value);
        }
        if (r.differs)
            for (int c = 0; c < 4; ++c) StringGrid_Compare->item(row, c)->setBackground(kDifference);
    }
    // Every column as wide as it reads, the values up to a limit.
    StringGrid_Compare->resizeColumnsToContents();
    for (int c : {2, 3}) StringGrid_Compare->setColumnWidth(c, std::min(StringGrid_Compare->columnWidth(c), kValueWidth));
    // Wide enough for every column where the screen allows.
    int wanted = 2 * StringGrid_Compare->frameWidth() + StringGrid_Compare->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < StringGrid_Compare->columnCount(); ++c) wanted += StringGrid_Compare->columnWidth(c);
    const QMargins m = layout()->contentsMargins();
    resize(std::clamp(wanted + m.left() + m.right(), width(), kWidestDialog), height());
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
