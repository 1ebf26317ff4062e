#include "StoredRecord.h"

#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "Saved.h"
#include "SegmentPieces.h"

#include <QDir>
#include <QFile>

namespace {

// The file's decoded content; nothing when it is missing, and a problem line when it exists
// but cannot be read.
template<typename Decode>
auto readFile(const QString &path, Decode decode, QStringList &problems)
    -> decltype(decode(QByteArray()))
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    auto decoded = file.open(QIODevice::ReadOnly) ? decode(readJsonFile(file)) : std::nullopt;
    if (!decoded)
        problems.append(QStringLiteral("%1: unreadable, counted as empty").arg(path));
    return decoded;
}

} // namespace

StoredRecord readStoredRecord(const QString &dataFolder, const SettingsStore &settings,
                              const Calendar &calendar, Instant now)
{
    const QDir folder(dataFolder);
    StoredRecord r;
    if (auto activity = readFile(folder.filePath("activity.json"), decodeActivity, r.problems)) {
        r.activity = std::move(*activity);
    } else if (auto keys =
                   readFile(folder.filePath("keystrokes.json"), decodeKeystrokes, r.problems)) {
        for (auto it = keys->begin(); it != keys->end(); ++it)
            r.activity[it.key()].keys = it.value();
    }
    r.goalSeconds = MacWorkStore::restoredGoal(settings.doubleValue(MacWorkStore::goalKey));

    // Entries an older version kept in the settings take the place of the entries file, unless
    // they were migrated already.
    auto entries = readFile(folder.filePath("entries.json"), decodeEntries, r.problems);
    const auto legacy = settings.dataValue(MacWorkStore::legacyStorageKey);
    if (const auto saved = legacy ? decodeSaved(*legacy) : std::nullopt;
        saved && !MacWorkStore::isMigrated(*saved, entries)) {
        r.entries = MacWorkStore::migratedEntries(*saved, calendar);
        return r;
    }
    if (entries)
        r.entries = std::move(*entries);

    const auto beat = settings.dataValue(MacWorkStore::heartbeatKey);
    if (const auto heartbeat = beat ? decodeHeartbeat(*beat) : std::nullopt;
        heartbeat && heartbeat->segmentStart &&
        !MacWorkStore::isRecorded(r.entries, *heartbeat->segmentStart)) {
        // A fresh heartbeat belongs to a running application: its segment counts up to now. A
        // stale one was left by a process that stopped; the next start records it only up to
        // its last tick, so that is what counts here too. One whose clearing failed holds a
        // stretch already on record.
        if (now - heartbeat->lastTick <= MacWorkStore::maxTickGap)
            r.segmentStart = heartbeat->segmentStart;
        else if (heartbeat->lastTick - *heartbeat->segmentStart >= MacWorkStore::minSegment)
            r.entries.append(
                segmentPieces(calendar, *heartbeat->segmentStart, heartbeat->lastTick));
    }
    return r;
}
