#pragma once
// A page control as large as the page in front, not as its largest page: a
// QStackedWidget asks every page for its size, shown or not, so a hidden
// service page would otherwise set the size of every other page.

class QTabWidget;

namespace velmar {

// From now on only the current page of the tabs counts for their size.
void SizeToCurrentPage(QTabWidget* tabs);

}  // namespace velmar
