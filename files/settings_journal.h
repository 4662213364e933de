#pragma once
// The journal of one instrument: the settings blocks as found when it was
// attached, and every write with the block before and after. One JSON line
// per entry, in a file per device type and serial number.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <map>
#include <vector>

#include "core/settings/settings_blocks.h"

namespace velmar {

struct JournalEntry {
    enum Kind { AsFound, Written };
    QDateTime time;
    Kind kind = AsFound;
    QString session;  // the attach this entry belongs to
    std::string block;
    Bytes before;  // a write: the block as last read, empty when never read
    Bytes after;  // as found, or as written
};

// The entries of a journal file's text; damaged lines are passed over.
std::vector<JournalEntry> ParseJournal(const QByteArray& text);
// The blocks as found at the last attach that found any.
std::map<std::string, Bytes> LastAsFoundOf(const std::vector<JournalEntry>& entries);

// The user's data folder for journals, shared by the window and the tool.
QString DefaultJournalFolder();

class SettingsJournal {
public:
    // A year of daily commissioning: a dozen blocks found and a few written
    // each day. Beyond this many entries the oldest are dropped.
    static constexpr int kMaxEntries = 20000;

    // folder: where the journals are kept (the user's data folder).
    explicit SettingsJournal(QString folder, int maxEntries = kMaxEntries);

    // A new instrument (or the same one again) is attached: what is read
    // next of each block is "as found".
    void Attach(uint16_t deviceType, uint32_t serial);
    void Detach() { attached_ = false; }
    bool Attached() const { return attached_; }
    // Names the attach: the entries it wrote carry it.
    const QString& Session() const { return session_; }

    // Every answered block command: a read notes the first reading of the
    // block since the attach, a write notes before and after.
    void Observe(uint8_t command, const Bytes& request, const Bytes& answer);

    QString FilePath() const { return PathFor(deviceType_, serial_); }
    QString PathFor(uint16_t deviceType, uint32_t serial) const;
    std::vector<JournalEntry> Entries() const;
    // The blocks as found at the last attach that found any.
    std::map<std::string, Bytes> LastAsFound() const;

    // The last block image known, read or written, this attach.
    const std::map<std::string, Bytes>& Known() const { return known_; }

    // Why the journal could not be written (a full disk, a folder that
    // cannot be written), in one line; given once an attach, so that the
    // user hears of it once and not at every block. Empty when all went in.
    [[nodiscard]] QString TakeFailure();

private:
    void Append(const JournalEntry& e);
    void Trim();
    void Failed(const QString& reason);

    QString folder_;
    bool attached_ = false;
    uint16_t deviceType_ = 0;
    uint32_t serial_ = 0;
    QString session_;
    std::map<std::string, Bytes> known_;
    int maxEntries_;
    int lines_ = -1;  // entries in the file, counted once per attach
    QString failure_;
    bool failureTold_ = false;
};

}  // namespace velmar
