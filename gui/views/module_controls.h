#pragma once
// Small builders for the controls the module dialogs have in common.

#include <QStringList>
#include <span>

#include "core/link/field_meta.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace velmar {

class RadioGroup;

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption);
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text);
// A bold value label, "xxxxx" until the first answer or edit.
QLabel* MakeValueLabel(QWidget* parent, const char* name);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption);
RadioGroup* MakeRadioGroup(QWidget* parent, const char* name, const char* caption,
                           std::initializer_list<const char*> items, int columns, int defaultItem);
// The choices of an enumerated field, in the order of its options.
RadioGroup* MakeRadioGroup(QWidget* parent, const char* name, const char* caption, std::span<const FieldOption> options,
                           int columns, int defaultItem);
// A row of a scale group: its caption, value and "Módosítás" button.
void AddScaleRow(QGridLayout* grid, int row, QWidget* caption, QLabel* value, QPushButton* button);

}  // namespace velmar
