#include "program/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velmar {

bool InstallQtTranslation(QCoreApplication& app) {
    // A child of the application: it must outlive every translated text.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace velmar
