#pragma once
// Opening the value editors, the same way from every page: place the
// dialog, fill its fields, show the value, then run it modally. The
// Prepare… halves do everything except running, so that a caller (or a
// test) can drive the dialog without a modal loop.

#include <QString>
#include <cstdint>

#include "core/link/field_meta.h"

class QWidget;

namespace velmar {

class TForm_IncDecEdit;
class TForm_IncDec;

// Centred on the main window; the old value is the opening value.
void PrepareTypedEditor(TForm_IncDecEdit& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                        int32_t min, int32_t max, int decimalPoint, int32_t value);
void OpenTypedEditor(TForm_IncDecEdit& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     int32_t min, int32_t max, int decimalPoint, int32_t value);
// The limits of the field's description, which the settings files and the
// command line take too.
void OpenTypedEditor(TForm_IncDecEdit& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     const FieldMeta& field, int decimalPoint, int32_t value);

// Bottom edge on the main window's bottom edge, left edge on its left edge.
void PositionFormToBottomLeftOfMainForm(QWidget* dialog, const QWidget* mainWindow);
void PrepareDigitEditor(TForm_IncDec& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                        int32_t min, int32_t max, int decimalPoint, int32_t value);
void OpenDigitEditor(TForm_IncDec& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     int32_t min, int32_t max, int decimalPoint, int32_t value);
void OpenDigitEditor(TForm_IncDec& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     const FieldMeta& field, int decimalPoint, int32_t value);

}  // namespace velmar
