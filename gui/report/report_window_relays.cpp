// The relays' switching test in the report window: the relays the
// instrument has with their set points as last read, and what the
// technician recorded of each.

#include <QGroupBox>
#include <QHeaderView>
#include <QTableWidget>

#include "core/device/status_texts.h"
#include "gui/files/settings_files.h"
#include "gui/link/instrument_context.h"
#include "gui/report/report_window.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

constexpr int kSwitchedColumn = 5, kReleasedColumn = 6;

}  // namespace

void TForm_Report::ShowRelays(const BlockImages& known) {
    std::vector<std::string> blocks;
    for (const SettingsBlockInfo* info : BlocksOf(files_.Fit()))
        if (std::string(info->name).starts_with("limit")) blocks.push_back(info->name);
    StringGrid_Relays->parentWidget()->setVisible(!blocks.empty());
    if (blocks != relayBlocks_) {
        // What was typed belongs to the relays shown; others start empty.
        relayBlocks_ = blocks;
        StringGrid_Relays->setRowCount(int(blocks.size()));
        for (int r = 0; r < int(blocks.size()); ++r)
            for (int c = 0; c < StringGrid_Relays->columnCount(); ++c)
                StringGrid_Relays->setItem(r, c, new QTableWidgetItem);
    }
    const char* unit = MeasuredUnit(ctx_.recRX);
    const QString suffix = unit ? " " + QString::fromUtf8(unit) : QString();
    for (int r = 0; r < int(blocks.size()); ++r) {
        const SettingsBlockInfo* info = FindSettingsBlock(blocks[std::size_t(r)]);
        QStringList cells{QString::fromUtf8(info->caption), U("nem ismert"), "", "", ""};
        if (const auto it = known.find(info->name); it != known.end())
            for (const BlockField& f : info->fields(it->second, {ctx_.recRX.uDecimalPoint, ctx_.recRX.uDevice})) {
                const QString text = QString::fromStdString(FieldValueText(f, ctx_.DecimalSeparator.toLatin1()));
                if (f.name == "mode") cells[1] = text;
                if (f.name == "a") cells[2] = text + suffix;
                if (f.name == "b") cells[3] = text + suffix;
                if (f.name == "hysteresis") cells[4] = text + suffix;
            }
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = StringGrid_Relays->item(r, c);
            item->setText(cells[c]);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
    }
    StringGrid_Relays->resizeColumnsToContents();
    StringGrid_Relays->setFixedHeight(
        StringGrid_Relays->horizontalHeader()->height() +
        std::max(1, int(blocks.size())) * StringGrid_Relays->verticalHeader()->defaultSectionSize() + 4);
}

std::optional<std::map<std::string, RelayTest>> TForm_Report::TypedRelayTests() {
    std::map<std::string, RelayTest> tests;
    for (int r = 0; r < int(relayBlocks_.size()); ++r) {
        RelayTest test;
        for (const auto& [column, value] :
             {std::pair{kSwitchedColumn, &test.switchedAt}, {kReleasedColumn, &test.releasedAt}}) {
            const QString text = StringGrid_Relays->item(r, column)->text().trimmed();
            if (text.isEmpty()) continue;
            *value = TypedNumber(text);
            if (!*value) {
                ctx_.Inform(U("%1: a kapcsolási próba értéke nem szám: „%2”. Írja be a kijelzett értéket, "
                              "vagy hagyja üresen, ha nem vizsgálta.")
                                .arg(StringGrid_Relays->item(r, 0)->text(), text));
                return std::nullopt;
            }
        }
        tests[relayBlocks_[std::size_t(r)]] = test;
    }
    return tests;
}

}  // namespace velmar
