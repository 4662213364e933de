#pragma once
// The table of settings fields side by side that the compare window and the
// offline editor share: block, field and two values a row, a difference
// marked.

#include <QColor>
#include <vector>

#include "core/settings/block_compare.h"

class QTableWidget;

namespace velmar {

inline const QColor kDifferenceColor(255, 236, 150);

enum class OtherColumn {
    Ticked,  // a difference has a tick box, ticked: the compare window
    Editable,  // the second value may be edited, nothing is ticked: the editor
    Shown,  // nothing ticked or edited: a journal entry's before and after
};

// Fills the table's first four columns from the rows. A table that already
// shows the same rows keeps its items, so an edit leaves the view where it is.
void FillCompareTable(QTableWidget* table, const std::vector<FieldRow>& rows, QChar decimalSeparator,
                      OtherColumn other);

// Every column as wide as it reads, those after the field's caption up to a
// limit. Returns the width of the table that shows every column.
int FitCompareColumns(QTableWidget* table);

}  // namespace velmar
