#include "files/settings_journal.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <map>

namespace velmar {

QString DefaultJournalFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath("velmar/journal");
}

SettingsJournal::SettingsJournal(QString folder, int maxEntries) : folder_(std::move(folder)), maxEntries_(maxEntries) {}

QString SettingsJournal::PathFor(uint16_t deviceType, uint32_t serial) const {
    return QDir(folder_).filePath(QString("PX%1-%2.jsonl").arg(deviceType).arg(serial, 6, 10, QChar('0')));
}

void SettingsJournal::Attach(uint16_t deviceType, uint32_t serial) {
    attached_ = true;
    deviceType_ = deviceType;
    serial_ = serial;
    session_ = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    known_.clear();
    lines_ = -1;
}

void SettingsJournal::Observe(uint8_t command, const Bytes& request, const Bytes& answer) {
    if (!attached_) return;
    if (const SettingsBlockInfo* b = BlockOfRead(command)) {
        if (!known_.count(b->name)) Append({QDateTime::currentDateTimeUtc(), JournalEntry::AsFound, session_, b->name, {}, answer});
        known_[b->name] = answer;
    } else if (const SettingsBlockInfo* w = BlockOfWrite(command)) {
        const auto it = known_.find(w->name);
        Append({QDateTime::currentDateTimeUtc(), JournalEntry::Written, session_, w->name,
                it == known_.end() ? Bytes{} : it->second, request});
        known_[w->name] = request;
    }
}

void SettingsJournal::Append(const JournalEntry& e) {
    QDir().mkpath(folder_);
    QJsonObject o;
    o["time"] = e.time.toString(Qt::ISODateWithMs);
    o["kind"] = e.kind == JournalEntry::AsFound ? "asFound" : "written";
    o["session"] = e.session;
    o["block"] = QString::fromStdString(e.block);
    if (e.kind == JournalEntry::Written) o["before"] = QString::fromStdString(HexOf(e.before));
    o["after"] = QString::fromStdString(HexOf(e.after));
    QFile f(FilePath());
    // A journal that cannot be written must not stop the work on the instrument.
    if (!f.open(QIODevice::Append | QIODevice::Text)) return;
    f.write(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
    f.close();
    if (lines_ < 0) Trim();  // counts what an earlier run left
    else if (++lines_ > maxEntries_) Trim();
}

// Keeps the newest entries, a tenth below the bound so that the file is not
// rewritten on every append once it is full.
void SettingsJournal::Trim() {
    QFile f(FilePath());
    if (!f.open(QIODevice::ReadOnly)) return;
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    lines_ = int(lines.size());
    if (lines_ <= maxEntries_) return;
    const int keep = maxEntries_ - maxEntries_ / 10;
    QSaveFile out(FilePath());
    if (!out.open(QIODevice::WriteOnly)) return;
    for (qsizetype i = lines.size() - keep; i < lines.size(); ++i) out.write(lines[i] + '\n');
    if (out.commit()) lines_ = keep;
}

std::vector<JournalEntry> ParseJournal(const QByteArray& text) {
    std::vector<JournalEntry> out;
    for (const QByteArray& line : text.split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.isEmpty()) continue;  // a damaged line is passed over, not fatal
        JournalEntry e;
        e.time = QDateTime::fromString(o["time"].toString(), Qt::ISODateWithMs);
        e.kind = o["kind"].toString() == "written" ? JournalEntry::Written : JournalEntry::AsFound;
        e.session = o["session"].toString();
        e.block = o["block"].toString().toStdString();
        if (!FindSettingsBlock(e.block)) continue;
        if (!BytesOfHex(o["after"].toString().toStdString(), e.after)) continue;
        BytesOfHex(o["before"].toString().toStdString(), e.before);
        out.push_back(std::move(e));
    }
    return out;
}

std::map<std::string, Bytes> LastAsFoundOf(const std::vector<JournalEntry>& entries) {
    std::map<std::string, Bytes> found;
    QString session;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->kind != JournalEntry::AsFound) continue;
        if (session.isEmpty()) session = it->session;
        if (it->session != session) break;
        found.emplace(it->block, it->after);
    }
    return found;
}

std::vector<JournalEntry> SettingsJournal::Entries() const {
    QFile f(FilePath());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return ParseJournal(f.readAll());
}

std::map<std::string, Bytes> SettingsJournal::LastAsFound() const { return LastAsFoundOf(Entries()); }

}  // namespace velmar
