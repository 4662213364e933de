#include "gui/files/compare_table.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace velmar {

namespace {

// Wide enough for the longest choice text ("Hiszterézises, felső határérték
// felett bekapcsol"); longer ones show whole in their tooltip.
constexpr int kValueWidth = 360;

QTableWidgetItem* Cell(QTableWidget* t, int row, int column) {
    QTableWidgetItem* item = t->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        t->setItem(row, column, item);
    }
    return item;
}

}  // namespace

void FillCompareTable(QTableWidget* t, const std::vector<FieldRow>& rows, QChar decimalSeparator, OtherColumn other) {
    const char separator = decimalSeparator.toLatin1();
    if (t->rowCount() != int(rows.size())) {
        t->setRowCount(0);
        t->setRowCount(int(rows.size()));
    }
    for (int row = 0; row < int(rows.size()); ++row) {
        const FieldRow& r = rows[std::size_t(row)];
        QTableWidgetItem* block = Cell(t, row, 0);
        block->setText(QString::fromUtf8(r.block->caption));
        // Only a difference has a tick box; a value that moved with the
        // decimals has nothing of its own to write.
        const bool tick = other == OtherColumn::Ticked && r.differs && !r.moved;
        block->setFlags(tick ? block->flags() | Qt::ItemIsUserCheckable : block->flags() & ~Qt::ItemIsUserCheckable);
        block->setData(Qt::CheckStateRole, tick ? QVariant(Qt::Checked) : QVariant());
        Cell(t, row, 1)->setText(QString::fromUtf8(r.mine.caption));
        for (const auto& [column, field] : {std::pair{2, &r.mine}, std::pair{3, &r.theirs}}) {
            QTableWidgetItem* value = Cell(t, row, column);
            value->setText(QString::fromStdString(FieldValueText(*field, separator)));
            value->setToolTip(value->text());  // a long choice may be cut short in its column
        }
        for (int c = 0; c < 4; ++c) {
            QTableWidgetItem* item = t->item(row, c);
            const bool editable = other == OtherColumn::Editable && c == 3;
            item->setFlags(editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
            item->setData(Qt::BackgroundRole, r.differs ? QVariant(QBrush(kDifferenceColor)) : QVariant());
        }
    }
}

int FitCompareColumns(QTableWidget* t) {
    t->resizeColumnsToContents();
    for (int c = 2; c < t->columnCount(); ++c) t->setColumnWidth(c, std::min(t->columnWidth(c), kValueWidth));
    int wanted = 2 * t->frameWidth() + t->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < t->columnCount(); ++c) wanted += t->columnWidth(c);
    return wanted;
}

}  // namespace velmar
