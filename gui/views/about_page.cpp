#include "gui/views/about_page.h"

namespace velmar {

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) { ui.setupUi(this); }

}  // namespace velmar
