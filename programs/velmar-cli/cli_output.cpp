#include "programs/velmar-cli/cli_output.h"

#include <QJsonDocument>
#include <QLocale>
#include <algorithm>
#include <cstdio>

#include "core/settings/settings_blocks.h"

namespace velmar {

namespace {
void Out(const QString& s, std::FILE* to) {
    std::fputs(s.toUtf8().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}
// What a person reads for a record's keys; a key not here shows as it is.
constexpr struct {
    const char* key;
    const char* caption;
} kKeyCaptions[] = {
    {"name", "Készülék"},
    {"deviceType", "Típuskód"},
    {"serial", "Gyári szám"},
    {"made", "Gyártás ideje"},
    {"firmware", "Firmware"},
    {"node", "Eszközfájl"},
    {"access", "Megnyitható"},
    {"inUse", "Használatban"},
    {"fix", "Teendő"},
    {"file", "Fájl"},
    {"blocks", "Blokkok"},
    {"changed", "Módosított mezők"},
    {"changedFields", "Eltérő mezők"},
    {"asFound", "Megtalált állapot a naplóból"},
    {"writes", "Beírások"},
    {"written", "Beírva"},
    {"verified", "Visszaolvasva"},
    {"mismatched", "Visszaolvasáskor eltér"},
    {"differences", "Eltérések"},
    {"exit", "Kilépési kód"},
    {"error", "Hiba"},
    {"records", "Eredmény"},
    {"summary", "Összesítés"},
    {"instruments", "Készülékek"},
    {"done", "Kész"},
    {"differ", "Eltér"},
    {"failed", "Sikertelen"},
    {"json", "Adatai géppel olvashatóan"},
    {"number", "Jegyzőkönyv száma"},
    {"points", "Ellenőrző pontok"},
    {"verdict", "Értékelés"},
    {"report", "Jegyzőkönyv"},
};

QString Caption(const QString& key) {
    for (const auto& k : kKeyCaptions)
        if (key == QLatin1String(k.key)) return QString::fromUtf8(k.caption);
    return key;
}

// A settings block by its caption where the text names one.
QString BlockCaption(const QString& text) {
    const SettingsBlockInfo* b = FindSettingsBlock(text.toStdString());
    return b ? QString::fromUtf8(b->caption) : text;
}

QString Value(const QJsonValue& v);

// An object's keys by their captions, one a line; a value of several lines
// indented beneath its caption.
QString ObjectText(const QJsonObject& o) {
    // A difference reads as the field, then the two values.
    if (o.contains("caption") && o.contains("instrument") && o.contains("other"))
        return QString::fromUtf8("%1 – %2: %3 → %4")
            .arg(BlockCaption(o["block"].toString()), o["caption"].toString(), o["instrument"].toString(),
                 o["other"].toString());
    QStringList lines;
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString key = it.key() == "block" ? QString::fromUtf8("Blokk") : Caption(it.key());
        const QStringList value = Value(it.value()).split('\n');
        lines << key + ": " + value[0];
        for (qsizetype i = 1; i < value.size(); ++i) lines << "  " + value[i];
    }
    return lines.join('\n');
}

QString Value(const QJsonValue& v) {
    if (v.isString()) return v.toString();
    if (v.isBool()) return v.toBool() ? QString::fromUtf8("igen") : QString::fromUtf8("nem");
    if (v.isDouble()) return QLocale().toString(v.toDouble(), 'g', 12);
    if (v.isObject()) return ObjectText(v.toObject());
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        if (a.isEmpty()) return QString::fromUtf8("nincs");
        // Plain values in a line, block names by their captions; records a line each.
        QStringList items;
        bool plain = true;
        for (const QJsonValue& item : a) {
            plain = plain && !item.isObject() && !item.isArray();
            items << (item.isString() ? BlockCaption(item.toString()) : Value(item));
        }
        if (plain) return items.join(", ");
        for (QString& item : items) item = "– " + item.replace('\n', "\n  ");
        return items.join('\n');
    }
    return {};
}
}  // namespace

void CliOutput::Record(const QJsonObject& o) const {
    if (!text_) return Out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)), to_);
    // Captions and values, one a line; records after the first set off by
    // an empty line.
    if (recordShown_) Out(QString(), to_);
    recordShown_ = true;
    std::vector<std::pair<QString, QString>> rows;
    for (auto it = o.begin(); it != o.end(); ++it) rows.emplace_back(Caption(it.key()), Value(it.value()));
    Captions(rows);
}

void CliOutput::Line(const QString& line) const { Out(line, to_); }

void CliOutput::Captions(const std::vector<std::pair<QString, QString>>& rows) const {
    qsizetype width = 0;
    for (const auto& [caption, value] : rows) width = std::max(width, caption.size() + 1);
    for (const auto& [caption, value] : rows) {
        const QStringList lines = value.split('\n');
        Out(QString("%1  %2").arg(caption + ':', -int(width)).arg(lines[0]), to_);
        for (qsizetype i = 1; i < lines.size(); ++i) Out(QString(width + 2, ' ') + lines[i], to_);
    }
}

int DifferenceCount(const std::vector<FieldRow>& rows) {
    int n = 0;
    for (const FieldRow& r : rows) n += r.differs;
    return n;
}

QJsonArray DifferencesJson(const std::vector<FieldRow>& rows) {
    QJsonArray out;
    for (const FieldRow& r : rows) {
        if (!r.differs) continue;
        QJsonObject o{{"block", r.block->name},
                      {"field", QString::fromStdString(r.mine.name)},
                      {"caption", QString::fromUtf8(r.mine.caption)},
                      {"instrument", QString::fromStdString(FieldValueText(r.mine))},
                      {"other", QString::fromStdString(FieldValueText(r.theirs))}};
        // The same integer in other decimals: nothing to write, a new meaning.
        if (r.moved) o["moved"] = true;
        out.append(o);
    }
    return out;
}

void CliOutput::Differences(const std::vector<FieldRow>& rows, const QString& otherName) const {
    if (!text_) return;
    if (DifferenceCount(rows) == 0) return Out(QString::fromUtf8("Nincs eltérés."), to_);
    // Columns as wide as their widest text: option texts vary a lot.
    std::vector<QStringList> lines{
        {QString::fromUtf8("Blokk"), QString::fromUtf8("Mező"), QString::fromUtf8("Készülék"), otherName}};
    for (const FieldRow& r : rows)
        if (r.differs)
            lines.push_back({QString::fromUtf8(r.block->caption), QString::fromUtf8(r.mine.caption),
                             QString::fromStdString(FieldValueText(r.mine, LocaleDecimal())),
                             QString::fromStdString(FieldValueText(r.theirs, LocaleDecimal()))});
    Table(lines);
}

void CliOutput::Table(const std::vector<QStringList>& lines) const {
    std::vector<int> widths;
    for (const QStringList& l : lines)
        for (int c = 0; c < l.size(); ++c) {
            if (std::size_t(c) >= widths.size()) widths.push_back(0);
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], int(l[c].size()));
        }
    for (const QStringList& l : lines) {
        QString line;
        for (int c = 0; c < l.size(); ++c)
            line += c + 1 < l.size() ? QString("%1 | ").arg(l[c], -widths[std::size_t(c)]) : l[c];
        Out(line.trimmed(), to_);
    }
}

char LocaleDecimal() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? point[0].toLatin1() : '.';
}

void CliOutput::Error(const QString& line) { std::fputs(("velmar-cli: " + line + "\n").toUtf8().constData(), stderr); }

void CliOutput::Say(const QString& line) { std::fputs((line + "\n").toUtf8().constData(), stderr); }

}  // namespace velmar
