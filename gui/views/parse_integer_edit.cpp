#include "gui/views/parse_integer_edit.h"

#include <QLineEdit>
#include <algorithm>

namespace velmar {

int ParseIntegerEdit(QLineEdit* edit, int min, int max) {
    bool ok = false;
    long long v = edit->text().trimmed().toLongLong(&ok);
    if (!ok || v < 0) v = 0;
    v = std::clamp<long long>(v, min, max);
    edit->setText(QString::number(v));
    return int(v);
}

}  // namespace velmar
