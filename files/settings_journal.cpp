#include "files/settings_journal.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

#include <map>
#include <utility>

#include "core/device/status_texts.h"
#include "program/data_folder.h"
#include "program/file_writing.h"
#include "program/log_categories.h"

namespace velmar {

QString DefaultJournalFolder() { return QDir(UserDataFolder()).filePath("velmar/journal"); }

SettingsJournal::SettingsJournal(QString folder, int maxEntries)
    : folder_(std::move(folder)), maxEntries_(maxEntries) {}

QString SettingsJournal::PathFor(uint16_t deviceType, uint32_t serial) const {
    return QDir(folder_).filePath(QString::fromStdString(InstrumentTag(deviceType, serial)) + ".jsonl");
}

void SettingsJournal::Attach(uint16_t deviceType, uint32_t serial) {
    attached_ = true;
    deviceType_ = deviceType;
    serial_ = serial;
    session_ = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    known_.clear();
    lines_ = -1;
    failure_.clear();
    failureTold_ = false;
}

void SettingsJournal::Observe(uint8_t command, const Bytes& request, const Bytes& answer) {
    if (!attached_) return;
    if (const SettingsBlockInfo* b = BlockOfRead(command)) {
        if (!known_.count(b->name))
            Append({QDateTime::currentDateTimeUtc(), JournalEntry::AsFound, session_, b->name, {}, answer});
        known_[b->name] = answer;
    } else if (const SettingsBlockInfo* w = BlockOfWrite(command)) {
        const auto it = known_.find(w->name);
        Append({QDateTime::currentDateTimeUtc(), JournalEntry::Written, session_, w->name,
                it == known_.end() ? Bytes{} : it->second, request});
        known_[w->name] = request;
    }
}

namespace {

// Long enough for another program's trim of a full journal on a busy disk.
constexpr int kLockWaitMs = 10000;

// Adds one line at the end of the journal. A line an earlier failure cut
// short (a full disk) is closed first, so this entry stands on a line of
// its own and only the cut one is lost; what this write got out before
// failing is cut back.
bool AppendLine(const QString& path, QByteArray line, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = f.errorString();
        return false;
    }
    const qint64 size = f.size();
    char last = '\n';
    if (size > 0 && (!f.seek(size - 1) || !f.getChar(&last))) last = '\n';
    if (last != '\n') line.prepend('\n');
    if (!f.seek(size) || f.write(line) != line.size() || !f.flush()) {
        *error = f.errorString();
        f.resize(size);
        return false;
    }
    return true;
}

}  // namespace

void SettingsJournal::Append(const JournalEntry& e) {
    QJsonObject o;
    o["time"] = e.time.toString(Qt::ISODateWithMs);
    o["kind"] = e.kind == JournalEntry::AsFound ? "asFound" : "written";
    o["session"] = e.session;
    o["block"] = QString::fromStdString(e.block);
    if (e.kind == JournalEntry::Written) o["before"] = QString::fromStdString(HexOf(e.before));
    o["after"] = QString::fromStdString(HexOf(e.after));
    // Other programs append to and trim the same journal: one at a time.
    // A journal that cannot be written must not stop the work on the
    // instrument; it is told instead.
    QString error;
    const std::unique_ptr<QLockFile> lock = LockFileFor(FilePath(), kLockWaitMs, &error);
    if (!lock || !AppendLine(FilePath(), QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n', &error))
        return Failed(error);
    if (lines_ < 0)
        Trim();  // counts what an earlier run left
    else if (++lines_ > maxEntries_)
        Trim();
}

// Keeps the newest entries, a tenth below the bound so that the file is not
// rewritten on every append once it is full. Runs under the journal's lock.
void SettingsJournal::Trim() {
    QFile f(FilePath());
    if (!f.open(QIODevice::ReadOnly)) return;
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    lines_ = int(lines.size());
    if (lines_ <= maxEntries_) return;
    const int keep = maxEntries_ - maxEntries_ / 10;
    QByteArray text;
    for (qsizetype i = lines.size() - keep; i < lines.size(); ++i) text += lines[i] + '\n';
    QString error;
    if (!WriteFileWhole(FilePath(), text, &error)) return Failed(error);
    lines_ = keep;
}

void SettingsJournal::Failed(const QString& reason) {
    if (failureTold_ || !failure_.isEmpty()) return;
    failure_ = QString::fromUtf8("a napló nem írható: %1 (%2)").arg(QDir::toNativeSeparators(FilePath()), reason);
    qCDebug(lcFiles, "%s", qUtf8Printable(failure_));
}

QString SettingsJournal::TakeFailure() {
    if (failure_.isEmpty()) return {};
    failureTold_ = true;
    return std::exchange(failure_, QString());
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
        // Empty when the block was never read before the write, or damaged.
        if (!BytesOfHex(o["before"].toString().toStdString(), e.before)) e.before.clear();
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
