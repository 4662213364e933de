#pragma once
// The editor of one settings field in a table cell: a list of its choices,
// igen/nem for a flag, a line for a number or a text. What is typed goes to
// the table's owner, which takes or refuses it; the cell is never written
// here.

#include <QStyledItemDelegate>
#include <functional>

#include "core/settings/settings_blocks.h"

namespace velmar {

class FieldValueDelegate : public QStyledItemDelegate {
public:
    using FieldOf = std::function<const BlockField*(int row)>;
    using Apply = std::function<void(int row, const QString& text)>;
    FieldValueDelegate(QObject* parent, FieldOf fieldOf, Apply apply, QChar decimalSeparator);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    FieldOf fieldOf_;
    Apply apply_;
    char separator_;
};

}  // namespace velmar
