#include "gui/views/decimal_input.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace velmar {

bool ParseDecimal(QString text, QChar separator, double& number) {
    text = text.trimmed();
    if (text.isEmpty()) return false;
    if (separator != QLatin1Char('.')) {
        if (text.contains(QLatin1Char('.'))) return false;
        text.replace(separator, QLatin1Char('.'));
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    number = c.toDouble(text, &ok);
    return ok && std::isfinite(number);
}

namespace {
class DecimalKeyFilter : public QObject {
public:
    DecimalKeyFilter(QLineEdit* edit, std::function<QChar()> separator)
        : QObject(edit), edit_(edit), separator_(std::move(separator)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (!plain || key->text().size() != 1) return false;
        const QChar typed = key->text().front();
        if (typed != QLatin1Char(',') && typed != QLatin1Char('.')) return false;
        const QChar separator = separator_();
        if (typed == separator) return false;
        edit_->insert(QString(separator));
        return true;
    }

private:
    QLineEdit* edit_;
    std::function<QChar()> separator_;
};
}  // namespace

QString WithDecimalSeparator(const QString& text, QChar separator) {
    if (separator == QLatin1Char('.')) return text;
    // A point between digits, not one of a date's: no point or digit follows the number.
    static const QRegularExpression number(QStringLiteral("(\\d)\\.(\\d+)(?![\\d.])"));
    QString out = text;
    return out.replace(number, QStringLiteral("\\1") + separator + QStringLiteral("\\2"));
}

void TranslateDecimalKeys(QLineEdit* edit, std::function<QChar()> separator) {
    edit->installEventFilter(new DecimalKeyFilter(edit, std::move(separator)));
}

}  // namespace velmar
