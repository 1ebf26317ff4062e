// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoredRecord.h"

#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "RecordFiles.h"
#include "Saved.h"
#include "SegmentPieces.h"
#include "UserSettings.h"

#include <QDir>

namespace {

// The file's decoded content; nothing when it is missing, and a problem line when it exists
// but cannot be read.
template<typename Decode> auto readFile(const QString &path, Decode decode, QStringList &problems)
{
    return readRecordFile(path, decode, [&](const QString &unreadable) {
        problems.append(QStringLiteral("%1: unreadable, counted as empty").arg(unreadable));
    });
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
        r.activity = RecordFiles::keystrokeActivity(*keys);
    }
    r.goalSeconds = UserSettings::restoredGoal(settings.doubleValue(UserSettings::goalKey));

    // Entries an older version kept in the settings take the place of the entries file, unless
    // they were migrated already.
    auto entries = readFile(folder.filePath("entries.json"), decodeEntries, r.problems);
    const auto legacy = settings.dataValue(RecordFiles::legacyStorageKey);
    if (const auto saved = legacy ? decodeSaved(*legacy) : std::nullopt;
        saved && !RecordFiles::isMigrated(*saved, entries)) {
        r.entries = RecordFiles::migratedEntries(*saved, calendar);
        return r;
    }
    if (entries)
        r.entries = std::move(*entries);

    const auto beat = settings.dataValue(MacWorkStore::heartbeatKey);
    if (const auto heartbeat = beat ? decodeHeartbeat(*beat) : std::nullopt;
        heartbeat && heartbeat->segmentStart &&
        !RecordFiles::isRecorded(r.entries, *heartbeat->segmentStart)) {
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
