#include "gui/files/field_value_delegate.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/settings/field_edit.h"

namespace velmar {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

FieldValueDelegate::FieldValueDelegate(QObject* parent, FieldOf fieldOf, Apply apply, QChar decimalSeparator)
    : QStyledItemDelegate(parent), fieldOf_(std::move(fieldOf)), apply_(std::move(apply)),
      separator_(decimalSeparator.toLatin1()) {}

QWidget* FieldValueDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    const BlockField* f = fieldOf_(index.row());
    if (!f) return nullptr;
    const FieldType type = TypeOf(*f);
    if (type == FieldType::Choice || type == FieldType::Flag) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName("ComboBox_FieldValue");
        if (type == FieldType::Flag) {
            combo->addItems({QString::fromUtf8("igen"), QString::fromUtf8("nem")});
        } else {
            BlockField choice = *f;
            for (const FieldOption& o : FieldChoices(*f)) {
                choice.number = o.code;
                combo->addItem(Q(FieldValueText(choice, separator_)));
            }
        }
        // A choice is the whole edit: taken as soon as it is made.
        connect(combo, &QComboBox::activated, this, [this, combo] {
            auto* self = const_cast<FieldValueDelegate*>(this);
            emit self->commitData(combo);
            emit self->closeEditor(combo);
        });
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName("Edit_FieldValue");
    edit->setToolTip(Q(FieldLimitsText(*f, separator_)));
    return edit;
}

void FieldValueDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const BlockField* f = fieldOf_(index.row());
    if (!f) return;
    const QString text = Q(FieldEditText(*f, separator_));
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // A code with no text of its own shows no choice until one is made.
        combo->setCurrentIndex(combo->findText(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void FieldValueDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0) apply_(index.row(), combo->currentText());
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        apply_(index.row(), edit->text());
    }
}

}  // namespace velmar
