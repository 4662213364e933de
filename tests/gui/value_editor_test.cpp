// The two value editors: what they show, how typed text becomes the stored
// integer, the digit steps within the limits, where OK delivers, and how the
// openers and the start-up wire them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/device/number_mask.h"
#include "core/views/value_destinations.h"
#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_open.h"
#include "gui/views/value_editor_typed.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

// Every identifier of the program, each recording what it gets.
struct Recorder {
    ValueDestinations destinations;
    std::vector<std::pair<int, int32_t>> stored;
    Recorder() {
        for (int id = 1; id <= 19; ++id)
            destinations.Register(
                id,
                [this, id](int32_t v) {
                    stored.push_back({id, v});
                },
                [] {});
    }
};

void Click(QWidget* dialog, const char* name) {
    auto* b = dialog->findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

TEST(EditorDestinations, StoreThenRefreshOnlyWhenRegistered) {
    ValueDestinations d;
    std::vector<std::string> log;
    d.Register(
        3, [&](int32_t v) { log.push_back("store " + std::to_string(v)); }, [&] { log.push_back("refresh"); });
    EXPECT_TRUE(d.Deliver(3, -42));
    EXPECT_FALSE(d.Deliver(4, 7));
    EXPECT_EQ(log, (std::vector<std::string>{"store -42", "refresh"}));
}

TEST(TypedEditor, DisplayMasks) {
    struct Case {
        char separator;
        int decimals;
        int32_t value;
        const char* shown;
    } cases[] = {
        {',', 1, 123, "012,3"},    {'.', 0, 12345, "12345"},  {'.', 0, -5, "-0005"},     {',', 2, -9999, "-99,99"},
        {',', 1, 99999, "9999,9"}, {',', 3, 12345, "12,345"}, {',', 4, 12345, "1,2345"}, {'.', 4, 5, "0.0005"},
    };
    for (const auto& c : cases) {
        ValueDestinations d;
        TForm_IncDecEdit e(d, QChar(c.separator));
        e.uDecimalPoint = uint8_t(c.decimals);
        e.iValue = c.value;
        e.ShowValue();
        EXPECT_EQ(e.Edit_Value->text(), QString(c.shown)) << c.decimals << " " << c.value;
        EXPECT_EQ(e.fDivider, float(std::pow(10, c.decimals)));
    }
}

TEST(TypedEditor, UnknownDecimalCountKeepsPreviousMask) {
    ValueDestinations d;
    TForm_IncDecEdit e(d, ',');
    e.uDecimalPoint = 2;
    EXPECT_EQ(e.FormatValue(150), "01,50");
    e.uDecimalPoint = 9;
    EXPECT_EQ(e.FormatValue(150), "01,50");
    EXPECT_EQ(e.sDigitFormat, "00.00");
    EXPECT_EQ(e.fDivider, 100.0f);
}

TEST(TypedEditor, OkParsesRoundsClampsAndDelivers) {
    struct Case {
        const char* what;
        char separator;
        int decimals;
        int32_t value;
        const char* preset;  // a button pressed before typing, or none
        bool clear;  // "Töröl" before typing
        const char* typed;  // keys typed into the edit
        bool paste;  // the text is set, not typed
        int32_t stored;
        // Beyond the limits: the first OK keeps the editor open with the
        // value it became and these words; the second stores it.
        const char* limited = nullptr;
    } cases[] = {
        {"shown text read back", ',', 1, 123, nullptr, false, "", false, 123},
        {"shown text read back, 4 decimals", ',', 4, 12345, nullptr, false, "", false, 12345},
        {"shown negative read back", ',', 2, -9999, nullptr, false, "", false, -9999},
        {"extra decimal dropped", ',', 1, 0, nullptr, true, "12,34", false, 123},
        {"typed point becomes comma, half to even", ',', 1, 0, nullptr, true, "7.25", false, 72},
        {"typed comma becomes point", '.', 1, 0, nullptr, true, "7,25", false, 72},
        {"half to even upwards", ',', 1, 0, nullptr, true, "7,35", false, 74},
        {"scaled above maximum", ',', 2, 0, nullptr, true, "1500", false, 99999,
         "(1500) kívül esik a megengedett tartományon (-99,99 … 999,99), ezért 999,99 lett"},
        {"scaled below minimum", ',', 2, 0, nullptr, true, "-200", false, -9999,
         "(-200) kívül esik a megengedett tartományon (-99,99 … 999,99), ezért -99,99 lett"},
        {"far beyond any integer", ',', 0, 0, nullptr, true, "1e30", false, 99999,
         "(1e30) kívül esik a megengedett tartományon (-9999 … 99999), ezért 99999 lett"},
        {"empty keeps opening value", ',', 1, 123, nullptr, true, "", false, 123},
        {"not a number keeps value", ',', 1, 123, nullptr, true, "abc", false, 123},
        {"pasted point is no separator", ',', 1, 123, nullptr, true, "7.25", true, 123},
        {"empty after Min keeps minimum", ',', 1, 123, "Button_Min", true, "", false, -9999},
        {"typed number beats Min", ',', 1, 123, "Button_Min", true, "5", false, 50},
        {"Max shown then OK", ',', 1, 123, "Button_Max", false, "", false, 99999},
        {"old value after Max", ',', 1, 123, "Button_OldValue", true, "x", false, 123},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Recorder r;
        QWidget mainWindow;
        TForm_IncDecEdit e(r.destinations, QChar(c.separator));
        PrepareTypedEditor(e, &mainWindow, 4, "PXAO", -9999, 99999, c.decimals, c.value);
        e.show();
        if (c.preset && std::string(c.preset) == "Button_OldValue") Click(&e, "Button_Max");
        if (c.preset) Click(&e, c.preset);
        if (c.clear) Click(&e, "Button_Torol");
        if (c.paste)
            e.Edit_Value->setText(c.typed);
        else
            QTest::keyClicks(e.Edit_Value, c.typed);
        Click(&e, "Button_OK");
        EXPECT_EQ(e.Label_Limited->isVisible(), c.limited != nullptr);
        if (c.limited) {
            EXPECT_TRUE(e.isVisible());
            EXPECT_TRUE(r.stored.empty());
            EXPECT_TRUE(e.Label_Limited->text().contains(QString::fromUtf8(c.limited)))
                << e.Label_Limited->text().toStdString();
            Click(&e, "Button_OK");
        }
        EXPECT_EQ(r.stored, (std::vector<std::pair<int, int32_t>>{{4, c.stored}}));
        EXPECT_EQ(e.result(), QDialog::Accepted);
        EXPECT_FALSE(e.isVisible());
    }
}

TEST(TypedEditor, EscButtonKeyAndCloseBoxStoreNothing) {
    const std::function<void(TForm_IncDecEdit&)> ways[] = {
        [](TForm_IncDecEdit& e) { e.Button_Esc->click(); },
        [](TForm_IncDecEdit& e) { QTest::keyClick(&e, Qt::Key_Escape); },
        [](TForm_IncDecEdit& e) { e.close(); },
    };
    for (const auto& way : ways) {
        Recorder r;
        QWidget mainWindow;
        TForm_IncDecEdit e(r.destinations, ',');
        PrepareTypedEditor(e, &mainWindow, 1, "PXAI", -9999, 99999, 1, 123);
        e.show();
        QTest::keyClicks(e.Edit_Value, "5");
        way(e);
        EXPECT_TRUE(r.stored.empty());
        EXPECT_EQ(e.result(), QDialog::Rejected);
        EXPECT_FALSE(e.isVisible());
    }
}

TEST(TypedEditor, OpenerFillsLabelsAndCentres) {
    ValueDestinations d;
    QWidget mainWindow;
    mainWindow.setGeometry(100, 50, 801, 603);
    TForm_IncDecEdit e(d, ',');
    PrepareTypedEditor(e, &mainWindow, 8, QString::fromUtf8("A 0%-hoz tartozó kijelzési érték"), -2000, 8000, 1, -15);
    EXPECT_EQ(e.iOldValue, -15);
    EXPECT_EQ(e.iIdentifier, 8);
    EXPECT_EQ(e.Label_Caption->text(), QString::fromUtf8("A 0%-hoz tartozó kijelzési érték"));
    EXPECT_EQ(e.Edit_Value->text(), "-001,5");
    EXPECT_EQ(e.Label_OldValue->text(), "-001,5");
    EXPECT_EQ(e.Label_Min->text(), "-200,0");
    EXPECT_EQ(e.Label_Max->text(), "800,0");
    const QRect m = mainWindow.frameGeometry();
    EXPECT_EQ(e.pos(), QPoint(m.left() + int(RoundHalfEven(m.width() / 2.0)) - int(RoundHalfEven(e.width() / 2.0)),
                              m.top() + int(RoundHalfEven(m.height() / 2.0)) - int(RoundHalfEven(e.height() / 2.0))));
}

QString Digits(const TForm_IncDec& e) {
    QString s;
    for (QLabel* l : e.Label_Digit) s += l->text();
    return s;
}

TEST(DigitEditor, DigitsAndComma) {
    struct Case {
        int32_t value;
        int decimals;
        const char* digits;
        const char* comma;  // the one comma label shown, or none
    } cases[] = {
        {-123, 0, "-0123", "Label_uDecimal0"},  {12345, 2, "12345", "Label_uDecimal2"},
        {-9999, 4, "-9999", "Label_uDecimal4"}, {5, 1, "00005", "Label_uDecimal1"},
        {7, 3, "00007", "Label_uDecimal3"},     {42, 255, "00042", nullptr},
    };
    ValueDestinations d;
    TForm_IncDec e(d);
    for (const auto& c : cases) {
        e.iValue = c.value;
        e.uDecimalPoint = uint8_t(c.decimals);
        e.ShowValue();
        EXPECT_EQ(Digits(e), c.digits) << c.value;
        for (QLabel* comma : e.Label_uDecimal) {
            EXPECT_EQ(!comma->isHidden(), c.comma && comma->objectName() == c.comma)
                << comma->objectName().toStdString();
            EXPECT_EQ(comma->text(), ",");
        }
    }
}

TEST(DigitEditor, TheMarkIsTheSystemsDecimalSeparator) {
    ValueDestinations d;
    TForm_IncDec e(d, '.');
    for (QLabel* mark : e.Label_uDecimal) EXPECT_EQ(mark->text(), ".");
    e.setDecimalSeparator(',');
    for (QLabel* mark : e.Label_uDecimal) EXPECT_EQ(mark->text(), ",");
}

TEST(DigitEditor, CommaStandsAfterItsDigit) {
    ValueDestinations d;
    TForm_IncDec e(d);
    e.show();
    for (int decimals = 0; decimals <= 4; ++decimals) {
        const QString name = "Label_uDecimal" + QString::number(decimals);
        auto* comma = e.findChild<QLabel*>(name);
        ASSERT_NE(comma, nullptr);
        // With n decimals the comma follows digit 5 - n and precedes digit 6 - n.
        auto* before = e.findChild<QLabel*>("Label_Digit" + QString::number(5 - decimals));
        ASSERT_NE(before, nullptr);
        EXPECT_GT(comma->x(), before->x()) << name.toStdString();
        if (decimals > 0) {
            auto* after = e.findChild<QLabel*>("Label_Digit" + QString::number(6 - decimals));
            EXPECT_LT(comma->x(), after->x()) << name.toStdString();
        }
    }
}

TEST(DigitEditor, StepsStayWithinLimits) {
    struct Case {
        int32_t value;
        const char* button;
        int32_t after;
        const char* digits;
    } cases[] = {
        {9995, "Button_PlusDigit4", 9999, "09999"}, {5000, "Button_MinusDigit1", -5000, "-5000"},
        {5000, "Button_PlusDigit1", 9999, "09999"}, {-9995, "Button_MinusDigit4", -9999, "-9999"},
        {0, "Button_PlusDigit3", 100, "00100"},     {0, "Button_MinusDigit2", -1000, "-1000"},
        {10, "Button_MinusDigit5", 9, "00009"},     {9, "Button_PlusDigit5", 10, "00010"},
        {123, "Button_NullAll", 0, "00000"},        {123, "Button_Min", -9999, "-9999"},
        {123, "Button_Max", 9999, "09999"},
    };
    for (const auto& c : cases) {
        Recorder r;
        QWidget mainWindow;
        TForm_IncDec e(r.destinations);
        PrepareDigitEditor(e, &mainWindow, 18, "PX210", -9999, 9999, 0, c.value);
        e.show();
        Click(&e, c.button);
        EXPECT_EQ(e.iValue, c.after) << c.value << " " << c.button;
        EXPECT_EQ(Digits(e), c.digits) << c.value << " " << c.button;
        Click(&e, "Button_OK");
        EXPECT_EQ(r.stored, (std::vector<std::pair<int, int32_t>>{{18, c.after}}));
        EXPECT_FALSE(e.isVisible());
    }
}

TEST(DigitEditor, OpenerPlacesAtBottomLeftAndEscStoresNothing) {
    Recorder r;
    QWidget mainWindow;
    mainWindow.setGeometry(100, 50, 900, 700);
    TForm_IncDec e(r.destinations);
    PrepareDigitEditor(e, &mainWindow, 19, "20 mA", -9999, 9999, 1, 250);
    const QRect m = mainWindow.frameGeometry();
    EXPECT_EQ(e.pos(), QPoint(m.left(), m.top() + m.height() - e.frameGeometry().height()));
    EXPECT_EQ(Digits(e), "00250");
    e.show();
    Click(&e, "Button_PlusDigit5");
    QTest::keyClick(&e, Qt::Key_Escape);
    EXPECT_TRUE(r.stored.empty());
    EXPECT_FALSE(e.isVisible());
}

TEST(IncDecEditors, UnknownIdentifiersStoreNothing) {
    for (int id : {0, 20, 19}) {
        const bool known = id == 19;
        Recorder r;
        QWidget mainWindow;
        TForm_IncDecEdit typed(r.destinations, ',');
        PrepareTypedEditor(typed, &mainWindow, id, "x", -9999, 99999, 0, 12);
        typed.show();
        Click(&typed, "Button_OK");
        TForm_IncDec digits(r.destinations);
        PrepareDigitEditor(digits, &mainWindow, id, "x", -9999, 9999, 0, 34);
        digits.show();
        Click(&digits, "Button_OK");
        EXPECT_EQ(r.stored.size(), known ? 2u : 0u) << id;
        EXPECT_FALSE(typed.isVisible());
        EXPECT_FALSE(digits.isVisible());
    }
}

TEST(IncDecEditors, CaptionsAndNames) {
    ValueDestinations d;
    TForm_IncDecEdit typed(d, ',');
    TForm_IncDec digits(d);
    EXPECT_EQ(typed.objectName(), "TForm_IncDecEdit");
    EXPECT_EQ(digits.objectName(), "TForm_IncDec");
    struct Case {
        QDialog* dialog;
        const char* name;
        const char* caption;
    } cases[] = {
        {&typed, "Button_Esc", "Kilépés (Esc)"},
        {&typed, "Button_Torol", "Töröl"},
        {&typed, "Button_OldValue", "Változtatás előtti érték"},
        {&typed, "Button_Min", "Minimum érték"},
        {&typed, "Button_Max", "Maximum érték"},
        {&typed, "Button_OK", "OK"},
        {&digits, "Button_Esc", "Kilépés (Esc)"},
        {&digits, "Button_NullAll", "A teljes szám nullázása"},
        {&digits, "Button_Min", "Minimum érték"},
        {&digits, "Button_Max", "Maximum érték"},
        {&digits, "Button_OK", "OK"},
        {&digits, "Button_PlusDigit1", "+"},
        {&digits, "Button_MinusDigit5", "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.dialog->windowTitle(), QString::fromUtf8("Számérték módosítása"));
        auto* b = c.dialog->findChild<QPushButton*>(c.name);
        ASSERT_NE(b, nullptr) << c.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(c.caption)) << c.name;
    }
    EXPECT_TRUE(typed.Button_OK->isDefault());
    EXPECT_TRUE(digits.Button_OK->isDefault());
}

using IncDecStartup = WindowFixture;

TEST_F(IncDecStartup, EditorsAreChildrenOfTheMainWindowAndDeliverThere) {
    StartupOptions o = Options();
    o.regional.decimalSeparator = ',';
    windows = Startup(hid, std::move(o));
    w = windows->main.get();
    ASSERT_NE(w->Form_IncDec, nullptr);
    ASSERT_NE(w->Form_IncDecEdit, nullptr);
    EXPECT_EQ(w->Form_IncDec->parent(), w);
    EXPECT_EQ(w->Form_IncDecEdit->parent(), w);
    EXPECT_FALSE(w->Form_IncDecEdit->isVisible());

    int32_t low = 0;
    int refreshed = 0;
    w->valueDestinations.Register(
        1, [&](int32_t v) { low = v; }, [&] { ++refreshed; });
    PrepareTypedEditor(*w->Form_IncDecEdit, w, 1, "PXAI", -9999, 99999, 2, 0);
    EXPECT_EQ(w->Form_IncDecEdit->Edit_Value->text(), "00,00");
    w->Form_IncDecEdit->show();
    w->Form_IncDecEdit->Button_TorolClick();
    QTest::keyClicks(w->Form_IncDecEdit->Edit_Value, "-1.5");
    w->Form_IncDecEdit->Button_OKClick();
    EXPECT_EQ(low, -150);
    EXPECT_EQ(refreshed, 1);
}

}  // namespace
}  // namespace velmar
