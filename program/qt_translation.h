#pragma once
// Qt's own texts in Hungarian (file dialogs, message box buttons, the
// command-line parser's messages), for all three programs.

class QCoreApplication;

namespace velmar {

// Loads qtbase_hu from Qt's translations folder and installs it in app,
// whatever the user's locale: the program speaks Hungarian only. Call once,
// right after the application object is made. False when the translation is
// not installed; Qt then keeps its English texts and nothing else changes.
[[nodiscard]] bool InstallQtTranslation(QCoreApplication& app);

}  // namespace velmar
