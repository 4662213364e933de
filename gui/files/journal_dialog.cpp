#include "gui/files/journal_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "files/settings_journal.h"
#include "gui/files/compare_table.h"

namespace velmar {

namespace {

// The fields a write changed, each with its value before and after, one a line.
QString ChangedFields(const JournalEntry& e, const FieldContext& context, char separator) {
    const SettingsBlockInfo* info = FindSettingsBlock(e.block);
    if (e.before.empty()) return QString::fromUtf8("(előtte nem volt kiolvasva)");
    const std::vector<BlockField> before = info->fields(e.before, context);
    const std::vector<BlockField> after = info->fields(e.after, context);
    QStringList changed;
    for (std::size_t i = 0; i < after.size() && i < before.size(); ++i)
        if (!FieldEqual(e.before, e.after, after[i]))
            changed << QString::fromUtf8("%1: %2 → %3")
                           .arg(QString::fromUtf8(after[i].caption),
                                QString::fromStdString(FieldValueText(before[i], separator)),
                                QString::fromStdString(FieldValueText(after[i], separator)));
    return changed.isEmpty() ? QString::fromUtf8("nincs változás") : changed.join('\n');
}

}  // namespace

TForm_Journal::TForm_Journal(QWidget* parent, const SettingsJournal& journal, FieldContext context,
                             QChar decimalSeparator)
    : QDialog(parent), context_(context), decimalSeparator_(decimalSeparator) {
    setObjectName("Form_Journal");
    setWindowTitle(QString::fromUtf8("Előzmények"));
    StringGrid_Journal = new QTableWidget(0, 4, this);
    StringGrid_Journal->setObjectName("StringGrid_Journal");
    StringGrid_Journal->setHorizontalHeaderLabels({"Idő", "Esemény", "Blokk", "Változás"});
    StringGrid_Journal->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    StringGrid_Journal->verticalHeader()->hide();
    StringGrid_Journal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* file = new QLabel(
        journal.Attached() ? journal.FilePath() : QString::fromUtf8("Nincs csatlakoztatott készülék."), this);
    file->setObjectName("Label_JournalFile");
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Button_RestoreAsFound = new QPushButton(QString::fromUtf8("Megtalált állapot visszaállítása…"), this);
    Button_RestoreAsFound->setObjectName("Button_RestoreAsFound");
    Button_Close = new QPushButton(QString::fromUtf8("Bezárás"), this);
    Button_Close->setObjectName("Button_Close");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(file, 1);
    buttons->addWidget(Button_RestoreAsFound);
    buttons->addWidget(Button_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid_Journal);
    layout->addLayout(buttons);
    resize(760, 480);

    const std::vector<JournalEntry> entries = journal.Attached() ? journal.Entries() : std::vector<JournalEntry>{};
    entries_.assign(entries.rbegin(), entries.rend());
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const int row = StringGrid_Journal->rowCount();
        StringGrid_Journal->insertRow(row);
        const bool found = it->kind == JournalEntry::AsFound;
        StringGrid_Journal->setItem(row, 0,
                                    new QTableWidgetItem(it->time.toLocalTime().toString("yyyy.MM.dd. HH:mm:ss")));
        StringGrid_Journal->setItem(
            row, 1, new QTableWidgetItem(found ? QString::fromUtf8("Megtalált") : QString::fromUtf8("Beírás")));
        StringGrid_Journal->setItem(row, 2,
                                    new QTableWidgetItem(QString::fromUtf8(FindSettingsBlock(it->block)->caption)));
        auto* change =
            new QTableWidgetItem(found ? QString() : ChangedFields(*it, context, decimalSeparator.toLatin1()));
        // A long change is cut in its column: whole in the tooltip, and the
        // whole entry on a double click.
        change->setToolTip(change->text());
        StringGrid_Journal->setItem(row, 3, change);
    }
    StringGrid_Journal->resizeColumnsToContents();
    // A change a line: the rows as tall as their changes.
    StringGrid_Journal->resizeRowsToContents();
    Button_RestoreAsFound->setEnabled(journal.Attached());
    connect(StringGrid_Journal, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (QDialog* d = ShowEntry(row)) d->open();
    });
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button_RestoreAsFound, &QPushButton::clicked, this, [this] {
        emit restoreRequested();
        accept();
    });
}

QDialog* TForm_Journal::ShowEntry(int row) {
    if (row < 0 || std::size_t(row) >= entries_.size()) return nullptr;
    const JournalEntry& e = entries_[std::size_t(row)];
    const SettingsBlockInfo* info = FindSettingsBlock(e.block);
    const bool found = e.kind == JournalEntry::AsFound || e.before.empty();
    auto* d = new QDialog(this);
    d->setObjectName("Form_JournalEntry");
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(QString::fromUtf8("%1 – %2, %3")
                          .arg(found ? QString::fromUtf8("Megtalált") : QString::fromUtf8("Beírás"),
                               QString::fromUtf8(info->caption),
                               e.time.toLocalTime().toString("yyyy.MM.dd. HH:mm:ss")));
    auto* table = new QTableWidget(0, 4, d);
    table->setObjectName("StringGrid_JournalEntry");
    table->setHorizontalHeaderLabels({QString::fromUtf8("Blokk"), QString::fromUtf8("Mező"),
                                      found ? QString::fromUtf8("Megtalált") : QString::fromUtf8("Előtte"),
                                      QString::fromUtf8("Utána")});
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const BlockImages before{{e.block, found ? e.after : e.before}}, after{{e.block, e.after}};
    FillCompareTable(table, CompareBlocks(before, context_, after, context_), decimalSeparator_, OtherColumn::Shown);
    table->setColumnHidden(0, true);  // one block: its caption is in the title
    table->setColumnHidden(3, found);
    const int wanted = FitCompareColumns(table);
    auto* close = new QPushButton(QString::fromUtf8("Bezárás"), d);
    close->setObjectName("Button_Close");
    connect(close, &QPushButton::clicked, d, &QDialog::reject);
    auto* layout = new QVBoxLayout(d);
    layout->addWidget(table);
    layout->addWidget(close, 0, Qt::AlignRight);
    d->resize(std::min(wanted + 40, 1000), 480);
    return d;
}

}  // namespace velmar
