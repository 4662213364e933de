#include "programs/velmar-cli/cli_output.h"

#include <QJsonDocument>
#include <algorithm>
#include <cstdio>

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
    {"name", "Készülék"},          {"deviceType", "Típuskód"},       {"serial", "Gyári szám"},
    {"made", "Gyártás ideje"},     {"firmware", "Firmware"},         {"node", "Eszközfájl"},
    {"access", "Megnyitható"},     {"inUse", "Használatban"},        {"fix", "Teendő"},
    {"file", "Fájl"},              {"blocks", "Blokkok"},            {"changed", "Módosított mezők"},
    {"changedFields", "Eltérő mezők"}, {"asFound", "Megtalált állapot a naplóból"},
    {"writes", "Beírások"},        {"written", "Beírva"},            {"verified", "Visszaolvasva"},
    {"mismatched", "Visszaolvasáskor eltér"}, {"differences", "Eltérések"},
    {"exit", "Kilépési kód"},      {"error", "Hiba"},                {"records", "Eredmény"},
    {"summary", "Összesítés"},     {"instruments", "Készülékek"},    {"done", "Kész"},
    {"differ", "Eltér"},           {"failed", "Sikertelen"},
};

QString Caption(const QString& key) {
    for (const auto& k : kKeyCaptions)
        if (key == QLatin1String(k.key)) return QString::fromUtf8(k.caption);
    return key;
}

QString Value(const QJsonValue& v) {
    if (v.isString()) return v.toString();
    if (v.isBool()) return v.toBool() ? QString::fromUtf8("igen") : QString::fromUtf8("nem");
    if (v.isDouble()) return QString::number(v.toDouble(), 'g', 12);
    if (v.isArray()) {
        // A list of plain values reads as a list; anything deeper as JSON.
        QStringList items;
        for (const QJsonValue& item : v.toArray()) {
            if (item.isArray() || item.isObject()) {
                items.clear();
                break;
            }
            items << Value(item);
        }
        if (!items.isEmpty() || v.toArray().isEmpty()) return items.isEmpty() ? QString::fromUtf8("–") : items.join(", ");
    }
    return QString::fromUtf8(QJsonDocument(v.isArray() ? QJsonDocument(v.toArray()) : QJsonDocument(v.toObject()))
                                 .toJson(QJsonDocument::Compact));
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
                             QString::fromStdString(FieldValueText(r.mine)),
                             QString::fromStdString(FieldValueText(r.theirs))});
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

void CliOutput::Error(const QString& line) {
    std::fputs(("velmar-cli: " + line + "\n").toUtf8().constData(), stderr);
}

void CliOutput::Say(const QString& line) { std::fputs((line + "\n").toUtf8().constData(), stderr); }

}  // namespace velmar
