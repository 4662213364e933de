#pragma once
// A status answer as velmar-cli status prints it: a JSON record, or a row
// of a table a person watches. Values carry the instrument's decimals,
// percentages two; a field with nothing to tell is left out.

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include "core/device/records.h"

namespace velmar {

QJsonObject StatusJson(const tRX& rx, const QDateTime& time);
QString StatusTableHeader();
QString StatusTableRow(const tRX& rx, const QDateTime& time);

}  // namespace velmar
