#include "gui/views/value_editor_open.h"

#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_typed.h"
#include "gui/views/window_placement.h"

namespace velmar {

void PrepareTypedEditor(TForm_IncDecEdit& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                        int32_t min, int32_t max, int decimalPoint, int32_t value) {
    PositionFormToCenterOfMainForm(&editor, mainWindow);
    editor.Load(identifier, caption, min, max, decimalPoint, value);
    editor.iOldValue = editor.iValue;
    editor.ShowValue();
}

void OpenTypedEditor(TForm_IncDecEdit& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     int32_t min, int32_t max, int decimalPoint, int32_t value) {
    PrepareTypedEditor(editor, mainWindow, identifier, caption, min, max, decimalPoint, value);
    // The editor stores the result itself; nothing is left to do here.
    editor.exec();
}

void PositionFormToBottomLeftOfMainForm(QWidget* dialog, const QWidget* mainWindow) {
    // Its size from its layout before the first show, as the centred ones.
    if (!dialog->testAttribute(Qt::WA_Resized)) dialog->adjustSize();
    const QRect m = mainWindow->frameGeometry();
    dialog->move(m.left(), m.top() + m.height() - dialog->frameGeometry().height());
    KeepInsideAvailableArea(dialog, mainWindow);
}

void PrepareDigitEditor(TForm_IncDec& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                        int32_t min, int32_t max, int decimalPoint, int32_t value) {
    PositionFormToBottomLeftOfMainForm(&editor, mainWindow);
    editor.Load(identifier, caption, min, max, decimalPoint, value);
    editor.ShowValue();
}

void OpenDigitEditor(TForm_IncDec& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     int32_t min, int32_t max, int decimalPoint, int32_t value) {
    PrepareDigitEditor(editor, mainWindow, identifier, caption, min, max, decimalPoint, value);
    editor.exec();
}

void OpenTypedEditor(TForm_IncDecEdit& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     const FieldMeta& field, int decimalPoint, int32_t value) {
    OpenTypedEditor(editor, mainWindow, identifier, caption, int32_t(field.min), int32_t(field.max), decimalPoint,
                    value);
}

void OpenDigitEditor(TForm_IncDec& editor, const QWidget* mainWindow, int identifier, const QString& caption,
                     const FieldMeta& field, int decimalPoint, int32_t value) {
    OpenDigitEditor(editor, mainWindow, identifier, caption, int32_t(field.min), int32_t(field.max), decimalPoint,
                    value);
}

}  // namespace velmar
