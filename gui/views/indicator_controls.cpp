#include "gui/views/indicator_controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/views/latching_group.h"
#include "gui/views/same_width.h"

namespace velmar {

namespace {
template <class T>
T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* Button(QWidget* parent, const QString& name, const char* caption) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), parent), name);
    b->setAutoDefault(false);
    return b;
}
}  // namespace

RequestButtons MakeRequestButtons(QWidget* parent, QBoxLayout* row, const QString& suffix,
                                  const QString& defaultsCaption) {
    RequestButtons r;
    r.read = Button(parent, "SpeedButton_ReadFromDevice" + suffix, "Kiolvasás a készülékből");
    r.defaults = Named(new QPushButton(defaultsCaption, parent), "SpeedButton_ReadDefault" + suffix);
    r.defaults->setAutoDefault(false);
    r.write = Button(parent, "SpeedButton_WriteToDevice" + suffix, "Beírás a készülékbe");
    auto* group = new LatchingGroup(parent);
    for (QPushButton* b : {r.read, r.defaults, r.write}) {
        group->add(b);
        row->addWidget(b, 1);
    }
    SameWidth({r.read, r.defaults, r.write});
    return r;
}

DisplayTestGroup::DisplayTestGroup(const QString& pageSuffix, const QString& keySuffix, bool withPattern16,
                                   QWidget* parent)
    : QGroupBox(QString::fromUtf8("TESZTEK"), parent) {
    setObjectName("GroupBox_Tesztek" + pageSuffix);
    auto* column = new QVBoxLayout(this);

    auto* display =
        Named(new QGroupBox(QString::fromUtf8("KIJELZŐ TESZT"), this), "GroupBox_KijelzoTeszt" + pageSuffix);
    auto* grid = new QGridLayout(display);
    CheckBox_KijelzoTeszt =
        Named(new QCheckBox(QString::fromUtf8("Kijelző teszt"), display), "CheckBox_KijelzoTeszt" + pageSuffix);
    auto* caption = Named(new QLabel(QString::fromUtf8("Tesztminta:"), display), "Label_Tesztminta" + pageSuffix);
    Label_KijelzoTeszt = Named(new QLabel("1", display), "Label_KijelzoTeszt" + pageSuffix);
    const QString stem = "Button_KijelzoTeszt" + pageSuffix;
    Button_KijelzoTeszt_1 = Button(display, stem + "_1", "1.");
    Button_KijelzoTeszt_Minus = Button(display, stem + "_Minus", "-1");
    Button_KijelzoTeszt_Plus = Button(display, stem + "_Plus", "+1");
    grid->addWidget(CheckBox_KijelzoTeszt, 0, 0, 1, 4);
    grid->addWidget(caption, 1, 0);
    grid->addWidget(Label_KijelzoTeszt, 1, 1);
    grid->addWidget(Button_KijelzoTeszt_1, 2, 0);
    grid->addWidget(Button_KijelzoTeszt_Minus, 2, 1);
    grid->addWidget(Button_KijelzoTeszt_Plus, 2, 2);
    if (withPattern16) {
        Button_KijelzoTeszt_16 = Button(display, stem + "_16", "16.");
        grid->addWidget(Button_KijelzoTeszt_16, 2, 3);
    }
    column->addWidget(display);

    auto* keys =
        Named(new QGroupBox(QString::fromUtf8("NYOMÓGOMB TESZT"), this), "GroupBox_NyomogombTeszt" + pageSuffix);
    auto* row = new QHBoxLayout(keys);
    Label_SWLeft = Named(new QLabel(QString::fromUtf8("Balra"), keys), "Label_SWLeft" + keySuffix);
    Label_SWUp = Named(new QLabel(QString::fromUtf8("Fel"), keys), "Label_SWUp" + keySuffix);
    Label_SWRight = Named(new QLabel(QString::fromUtf8("Jobbra"), keys), "Label_SWRight" + keySuffix);
    for (QLabel* l : {Label_SWLeft, Label_SWUp, Label_SWRight}) {
        l->hide();
        row->addWidget(l);
    }
    // The group keeps its height while every key label is hidden.
    keys->setMinimumHeight(keys->sizeHint().height() + Label_SWLeft->sizeHint().height());
    column->addWidget(keys);
    column->addStretch(1);

    connect(Button_KijelzoTeszt_1, &QPushButton::clicked, this, [this] { emit patternChosen(1); });
    connect(Button_KijelzoTeszt_Minus, &QPushButton::clicked, this, [this] { emit patternStepped(-1); });
    connect(Button_KijelzoTeszt_Plus, &QPushButton::clicked, this, [this] { emit patternStepped(1); });
    if (Button_KijelzoTeszt_16)
        connect(Button_KijelzoTeszt_16, &QPushButton::clicked, this, [this] { emit patternChosen(16); });
}

}  // namespace velmar
