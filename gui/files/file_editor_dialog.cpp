#include "gui/files/file_editor_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/device/device_types.h"
#include "core/device/status_texts.h"
#include "core/settings/field_edit.h"
#include "gui/files/compare_table.h"
#include "gui/files/field_value_delegate.h"
#include "gui/views/decimal_input.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }
constexpr int kLimitsColumn = 4;
constexpr int kWidestDialog = 1300;  // on a 1366-pixel screen

// A time of the file in the local time of this computer.
QString LocalTime(const QString& iso) {
    const QDateTime t = QDateTime::fromString(iso, Qt::ISODateWithMs);
    return t.isValid() ? t.toLocalTime().toString("yyyy-MM-dd HH:mm") : iso;
}

}  // namespace

TForm_FileEditor::TForm_FileEditor(QWidget* parent, QChar decimalSeparator)
    : QDialog(parent), decimalSeparator_(decimalSeparator) {
    setObjectName("Form_FileEditor");
    Label_FileInfo = new QLabel(this);
    Label_FileInfo->setObjectName("Label_FileInfo");
    Label_FileInfo->setWordWrap(true);
    StringGrid_FileEditor = new QTableWidget(0, 5, this);
    StringGrid_FileEditor->setObjectName("StringGrid_FileEditor");
    StringGrid_FileEditor->setHorizontalHeaderLabels(
        {U("Blokk"), U("Mező"), U("Fájl"), U("Új érték"), U("Megengedett")});
    StringGrid_FileEditor->horizontalHeader()->setStretchLastSection(true);
    StringGrid_FileEditor->setWordWrap(false);
    StringGrid_FileEditor->verticalHeader()->hide();
    StringGrid_FileEditor->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid_FileEditor->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    StringGrid_FileEditor->setItemDelegateForColumn(
        3, new FieldValueDelegate(
               StringGrid_FileEditor, [this](int row) { return EditedField(row); },
               // A value refused is told on the result label.
               [this](int row, const QString& text) { (void)SetValue(row, text); }, decimalSeparator_));
    Label_Result = new QLabel(this);
    Label_Result->setObjectName("Label_Result");
    Label_Result->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    Button_SaveAs = buttons->addButton(U("Mentés másként…"), QDialogButtonBox::ActionRole);
    Button_SaveAs->setObjectName("Button_SaveAs");
    Button_Close = buttons->addButton(U("Bezárás"), QDialogButtonBox::RejectRole);
    Button_Close->setObjectName("Button_Close");
    // One row, one width.
    const int width = std::max(Button_SaveAs->sizeHint().width(), Button_Close->sizeHint().width());
    Button_SaveAs->setMinimumWidth(width);
    Button_Close->setMinimumWidth(width);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label_Result, 1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_FileInfo);
    layout->addWidget(StringGrid_FileEditor);
    layout->addLayout(bottom);
    resize(900, 560);
    connect(buttons, &QDialogButtonBox::rejected, this, &TForm_FileEditor::reject);
    connect(Button_SaveAs, &QPushButton::clicked, this, &TForm_FileEditor::saveAsRequested);
}

void TForm_FileEditor::Open(const OfflineFile& file, const QString& path) {
    original_ = edited_ = file;
    path_ = path;
    unsaved_ = false;
    setWindowTitle(U("Fájl szerkesztése – %1").arg(QFileInfo(path).fileName()));
    const InstrumentIdentity& id = file.snapshot.identity;
    QString info = U("%1, gyári szám %2; a beállítások kiolvasva: %3.")
                       .arg(QString::fromStdString(DeviceTypeName(id.deviceType)))
                       .arg(QString::fromStdString(SerialText(id.serial)))
                       .arg(LocalTime(file.savedAt));
    if (!file.editedOffline.isEmpty())
        info += U(" Készülék nélkül szerkesztve: %1.").arg(LocalTime(file.editedOffline));
    Label_FileInfo->setText(
        info + U("\nEgy mező új értéke az „Új érték” oszlopban adható meg (dupla kattintás vagy gépelés)."));
    StringGrid_FileEditor->setRowCount(0);
    Refresh();
    const int wanted = FitCompareColumns(StringGrid_FileEditor);
    const QMargins m = layout()->contentsMargins();
    resize(std::clamp(wanted + m.left() + m.right(), this->width(), kWidestDialog), height());
    ShowResult(U("Nincs még módosítás; a „Mentés másként…” új fájlba írja a szerkesztett értékeket."));
}

const BlockField* TForm_FileEditor::EditedField(int row) const {
    return row >= 0 && row < int(rows_.size()) ? &rows_[std::size_t(row)].theirs : nullptr;
}

int TForm_FileEditor::ChangeCount() const {
    return int(std::count_if(rows_.begin(), rows_.end(), [](const FieldRow& r) { return r.differs; }));
}

bool TForm_FileEditor::SetValue(int row, const QString& text) {
    const BlockField* f = EditedField(row);
    if (!f) return false;
    const char separator = decimalSeparator_.toLatin1();
    // Leaving a cell as it was is no edit, even where the value is one the
    // field would not take now.
    if (text == QString::fromStdString(FieldEditText(*f, separator))) return true;
    const SettingsBlockInfo* block = rows_[std::size_t(row)].block;
    const QString where = U("%1 / %2").arg(U(block->caption), U(f->caption));
    const std::string why = SetSnapshotField(edited_.snapshot, *block, *f, text.toStdString());
    if (!why.empty()) {
        ShowResult(U("%1: %2. Nem változott.")
                       .arg(where, WithDecimalSeparator(QString::fromStdString(why), decimalSeparator_)),
                   true);
        return false;
    }
    unsaved_ = true;
    Refresh();
    QString result = U("%1: %2. %3 mező tér el a fájltól.")
                         .arg(where, QString::fromStdString(FieldValueText(*EditedField(row), separator)))
                         .arg(ChangeCount());
    const auto moved = std::count_if(rows_.begin(), rows_.end(), [](const FieldRow& r) { return r.moved; });
    if (moved > 0)
        result += U(" Ebből %1 érték a tizedesjegyekkel együtt mozdult: a készülék a tárolt egész számokat megtartja.")
                      .arg(moved);
    ShowResult(result);
    return true;
}

void TForm_FileEditor::Refresh() {
    // The edited side in its own decimals: where the input's decimals
    // changed, the limit and output values show what their stored integers
    // will mean.
    rows_ = CompareBlocks(original_.snapshot.blocks, ContextOf(original_.snapshot), edited_.snapshot.blocks,
                          ContextOf(edited_.snapshot));
    FillCompareTable(StringGrid_FileEditor, rows_, decimalSeparator_, OtherColumn::Editable);
    // A changed decimals field moves the limits of the values it scales.
    for (int row = 0; row < int(rows_.size()); ++row) {
        const FieldRow& r = rows_[std::size_t(row)];
        QTableWidgetItem* limits = StringGrid_FileEditor->item(row, kLimitsColumn);
        if (!limits) {
            limits = new QTableWidgetItem;
            limits->setFlags(limits->flags() & ~Qt::ItemIsEditable);
            StringGrid_FileEditor->setItem(row, kLimitsColumn, limits);
        }
        limits->setText(QString::fromStdString(FieldLimitsText(r.theirs, decimalSeparator_.toLatin1())));
        limits->setToolTip(limits->text());
        limits->setData(Qt::BackgroundRole, r.differs ? QVariant(QBrush(kDifferenceColor)) : QVariant());
    }
}

void TForm_FileEditor::MarkSaved(const QString& savedTo) {
    unsaved_ = false;
    ShowResult(U("Elmentve: %1").arg(savedTo));
}

void TForm_FileEditor::ShowResult(const QString& text, bool refused) {
    Label_Result->setText(text);
    Label_Result->setStyleSheet(refused ? "color: #c00000;" : QString());
}

void TForm_FileEditor::reject() {
    if (unsaved_ && confirm &&
        !confirm(U("A szerkesztett értékek nincsenek fájlba mentve. Bezárja az ablakot mentés nélkül?")))
        return;
    QDialog::reject();
}

}  // namespace velmar
