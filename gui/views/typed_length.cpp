#include "gui/views/typed_length.h"

#include <QLineEdit>
#include <QValidator>

namespace velmar {

namespace {
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(QLineEdit* edit, int maxChars) : QValidator(edit), edit_(edit), max_(maxChars) {
        shown_ = edit->text().size();
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { shown_ = t.size(); });
    }

    // Runs before the edit announces a change, so shown_ is still the
    // length of the text before it. Text set by the program leaves the edit
    // unmodified and is taken whole.
    State validate(QString& input, int&) const override {
        if (!edit_->isModified() || input.size() <= max_ || input.size() <= shown_) return Acceptable;
        return Invalid;
    }

private:
    QLineEdit* edit_;
    int max_;
    qsizetype shown_ = 0;
};
}  // namespace

void LimitTypedLength(QLineEdit* edit, int maxChars) { edit->setValidator(new TypedLengthValidator(edit, maxChars)); }

}  // namespace velmar
