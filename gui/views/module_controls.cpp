#include "gui/views/module_controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "gui/views/radio_group.h"

namespace velmar {

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption) {
    auto* g = new QGroupBox(QString::fromUtf8(caption), parent);
    g->setObjectName(name);
    return g;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(name);
    return l;
}

QLabel* MakeValueLabel(QWidget* parent, const char* name) {
    QLabel* l = MakeLabel(parent, name, "xxxxx");
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setMinimumWidth(80);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

RadioGroup* MakeRadioGroup(QWidget* parent, const char* name, const char* caption,
                           std::initializer_list<const char*> items, int columns, int defaultItem) {
    QStringList texts;
    for (const char* i : items) texts << QString::fromUtf8(i);
    auto* g = new RadioGroup(QString::fromUtf8(caption), texts, columns, parent);
    g->setObjectName(name);
    g->SetItemIndex(defaultItem);
    return g;
}

RadioGroup* MakeRadioGroup(QWidget* parent, const char* name, const char* caption, std::span<const FieldOption> options,
                           int columns, int defaultItem) {
    QStringList texts;
    for (const FieldOption& o : options) texts << QString::fromUtf8(o.text);
    auto* g = new RadioGroup(QString::fromUtf8(caption), texts, columns, parent);
    g->setObjectName(name);
    g->SetItemIndex(defaultItem);
    return g;
}

void AddScaleRow(QGridLayout* grid, int row, QWidget* caption, QLabel* value, QPushButton* button) {
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
    grid->addWidget(button, row, 2);
}

}  // namespace velmar
