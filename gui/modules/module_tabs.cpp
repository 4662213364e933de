#include "gui/modules/module_tabs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/modules/module_map.h"
#include "gui/views/label_colors.h"
#include "gui/views/lamp.h"

namespace velmar {

namespace {
// A page is a column: its module groups in the first row, anything the page
// adds beneath them.
QVBoxLayout* ColumnOf(QWidget* page) {
    if (auto* l = qobject_cast<QVBoxLayout*>(page->layout())) return l;
    auto* column = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    column->addLayout(row);
    column->addStretch(1);
    return column;
}
QHBoxLayout* RowLayoutOf(QWidget* page) { return static_cast<QHBoxLayout*>(ColumnOf(page)->itemAt(0)->layout()); }
}  // namespace

ModuleTabs::ModuleTabs(const std::array<QWidget*, 8>& pages) {
    for (const ModuleGroup& g : ModuleGroups()) {
        QWidget* page = pages[std::size_t(g.page)];
        auto* box = new QGroupBox(QString::fromUtf8(g.caption), page);
        box->setObjectName(g.objectName);
        box->setMinimumWidth(200);
        auto* column = new QVBoxLayout(box);
        column->setAlignment(Qt::AlignTop);
        QHBoxLayout* lastRow = nullptr;
        for (const ModuleControl& c : g.controls) {
            if (!c.name) break;
            if (c.lamp) {
                // A lamp sits beside the button of its limit output.
                auto* lamp = new Lamp(box);
                lamp->setObjectName(c.name);
                if (lastRow)
                    lastRow->addWidget(lamp);
                else
                    column->addWidget(lamp);
                controls_.insert(c.name, lamp);
                continue;
            }
            auto* button = new QPushButton(box);
            button->setObjectName(c.name);
            button->setMinimumWidth(170);
            lastRow = new QHBoxLayout;
            lastRow->addWidget(button, 1);
            column->addLayout(lastRow);
            controls_.insert(c.name, button);
        }
        RowLayoutOf(page)->addWidget(box);
    }
    // The PX310's input button stands out: its module is always there.
    if (auto* in310 = Button("Button_In310")) SetTextColor(in310, colors::kRed);
}

void ModuleTabs::AddBelowGroups(QWidget* page, QWidget* content) {
    QVBoxLayout* column = ColumnOf(page);
    column->insertWidget(column->count() - 1, content);
}

QPushButton* ModuleTabs::Button(const QString& name) const { return qobject_cast<QPushButton*>(Control(name)); }
Lamp* ModuleTabs::LampNamed(const QString& name) const { return qobject_cast<Lamp*>(Control(name)); }

void ModuleTabs::SetModuleButtonCaptions() {
    for (const ButtonCaption& c : ModuleButtonCaptions())
        for (const char* name : c.buttons)
            if (name)
                if (QPushButton* b = Button(name)) b->setText(QString::fromUtf8(c.caption));
}

}  // namespace velmar
