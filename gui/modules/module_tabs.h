#pragma once
// Builds the module groups of the device pages from the module map and
// finds their buttons and lamps by name.

#include <QHash>
#include <QString>
#include <array>

class QWidget;
class QPushButton;

namespace velmar {

class Lamp;

class ModuleTabs {
public:
    // pages: the device pages in DevicePage order.
    explicit ModuleTabs(const std::array<QWidget*, 8>& pages);

    QWidget* Control(const QString& name) const { return controls_.value(name); }
    QPushButton* Button(const QString& name) const;
    Lamp* LampNamed(const QString& name) const;

    // Puts a page's own controls in a row beneath its module groups.
    void AddBelowGroups(QWidget* page, QWidget* content);

    // The captions the user sees, replacing those of the design.
    void SetModuleButtonCaptions();

private:
    QHash<QString, QWidget*> controls_;
};

}  // namespace velmar
