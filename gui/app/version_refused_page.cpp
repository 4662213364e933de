#include "gui/app/version_refused_page.h"

#include <QPushButton>

namespace velmar {

VersionRefusedPage::VersionRefusedPage(bool tooNew, QWidget* parent) : QWidget(parent), tooNew_(tooNew) {
    ui.setupUi(this);
    // Both variants live in the same page control, so each exit button needs
    // its own name.
    if (tooNew) {
        setObjectName(QStringLiteral("TabSheet_TooNew"));
        ui.Label_Reason->setText(QStringLiteral(
            "Ez a beállító program újabb, mint a csatlakoztatott készülék, ezért nem alkalmas a beállításra."));
        ui.Label_Advice->setText(
            QStringLiteral("Használja a beállító programnak a készülékhez kapott, korábbi verzióját!"));
        ui.Button_Exit->setObjectName(QStringLiteral("Button_ExitFromApplication2"));
    } else {
        setObjectName(QStringLiteral("TabSheet_TooOld"));
        ui.Label_Reason->setText(QStringLiteral(
            "Ez a beállító program túl régi, ezért nem alkalmas a csatlakoztatott készülék beállítására."));
        ui.Label_Advice->setText(QStringLiteral("Használja a beállító program újabb verzióját!"));
        ui.Button_Exit->setObjectName(QStringLiteral("Button_ExitFromApplication"));
    }
}

QString VersionRefusedPage::tabCaption() const {
    return tooNew_ ? QStringLiteral("Ez a program túl új") : QStringLiteral("Ez a program túl régi");
}

QPushButton* VersionRefusedPage::exitButton() const { return ui.Button_Exit; }

}  // namespace velmar
