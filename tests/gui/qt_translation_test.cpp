// Qt's own texts in Hungarian, and the program's message boxes titled with
// its name rather than the executable's.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

#include "gui/app/startup.h"
#include "program/program_date.h"
#include "program/qt_translation.h"

namespace velmar {
namespace {

TEST(QtTranslation, QtsOwnTextsTurnHungarian) {
    ASSERT_TRUE(InstallQtTranslation(*qApp)) << "qtbase_hu.qm is missing: qt6-translations-l10n";
    struct Case {
        const char* context;
        const char* english;
        const char* hungarian;
    } cases[] = {
        {"QPlatformTheme", "Cancel", "Mégse"},  // message box and dialog buttons
        {"QPlatformTheme", "&Yes", "&Igen"},
        {"QFileDialog", "&Open", "&Megnyitás"},  // the file dialogs
        {"QCommandLineParser", "Options:", "Kapcsolók:"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.english), QString::fromUtf8(c.hungarian)) << c.english;
    // The other tests see Qt as it comes.
    for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

// Answers the next modal box with the given button, noting its title; it
// looks again until the box is up.
void AnswerNextBox(QString* title, QMessageBox::StandardButton button) {
    QTimer::singleShot(10, [title, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return AnswerNextBox(title, button);
        *title = box->windowTitle();
        box->button(button)->click();
    });
}

TEST(QtTranslation, MessageBoxesCarryTheProgramsName) {
    const StartupOptions options = SystemStartupOptions();
    QString informed, asked;
    AnswerNextBox(&informed, QMessageBox::Ok);
    options.inform("A program egy példánya már fut!");
    AnswerNextBox(&asked, QMessageBox::Yes);
    EXPECT_TRUE(options.confirm("Beírja?"));
    EXPECT_EQ(informed, QString::fromUtf8(kProgramName));
    EXPECT_EQ(asked, QString::fromUtf8(kProgramName));
}

}  // namespace
}  // namespace velmar
