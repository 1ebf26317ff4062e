// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "Clock.h"
#include "DayActivity.h"
#include "Json.h"
#include "Process.h"
#include "Saved.h"
#include "SettingsStore.h"
#include "WorkEntry.h"

#include <QFile>
#include <QList>
#include <QString>

#include <optional>
#include <span>

// The record's data files in the data folder ("entries.json", "activity.json" and the older
// "keystrokes.json") and the moves from older layouts. A stored file that cannot be read counts
// as absent but is kept aside, since the next save would overwrite it.
class RecordFiles {
public:
    static inline const QString legacyStorageKey = QStringLiteral("quenby.mac.data.v1");

    // The services must outlive this object; the calendar is followed as its zone changes.
    struct Services {
        const Process &process;
        // The base of the data folder when $QUENBY_DATA_DIR is not set.
        QString applicationSupportFolder;
        const Clock &clock;
        const Calendar &calendar;
        SettingsStore &settings;
    };

    explicit RecordFiles(const Services &services);

    // Creates the data folder, each time, as a missing folder comes back at the next save.
    QString entriesPath() const;
    // False when nothing durable was written.
    bool writeEntries(std::span<const WorkEntry> entries) const;
    bool writeActivity(const ActivityByDay &activity) const;

    std::optional<QList<WorkEntry>> readEntries() const;
    std::optional<ActivityByDay> readActivity() const;
    // The older layout's key counts per day, as activity with only keys.
    std::optional<ActivityByDay> readKeystrokes() const;
    void removeKeystrokes() const;
    static ActivityByDay keystrokeActivity(const QMap<QString, qint64> &keysByDay);

    // What the entries kept by an older version in the settings become, when they still have to
    // replace `onFile`; their key is removed when they were moved already.
    std::optional<QList<WorkEntry>> legacyEntries(const std::optional<QList<WorkEntry>> &onFile);
    // Once the entries file reads back, the older key goes; until then the move runs again at
    // each start.
    void finishLegacyMove();

    // Whether `entries` hold the stretch that began at segmentStart: a heartbeat whose clearing
    // failed still holds a recorded stretch.
    static bool isRecorded(const QList<WorkEntry> &entries, Instant segmentStart);
    // Whether the entries file was written by the migration of `saved`, whose key then could
    // not be removed: it begins with the legacy entries and the replayed segment.
    static bool isMigrated(const Saved &saved, const std::optional<QList<WorkEntry>> &onFile);
    // What the migration of `saved` writes: its entries, then its open segment up to its last
    // tick.
    static QList<WorkEntry> migratedEntries(const Saved &saved, const Calendar &calendar);

private:
    QString siblingPath(const QString &fileName) const;
    template<typename Decode>
    auto read(const QString &path, Decode decode) const -> decltype(decode(QByteArray()));

    const Process &m_process;
    QString m_applicationSupportFolder;
    const Clock &m_clock;
    const Calendar &m_calendar;
    SettingsStore &m_settings;
};

// A stored file's decoded content: nothing when it is missing, and nothing after `unreadable`
// ran with the path when it exists but cannot be read or decoded.
template<typename Decode, typename Unreadable>
auto readRecordFile(const QString &path, Decode decode, Unreadable unreadable)
    -> decltype(decode(QByteArray()))
{
    {
        QFile file(path);
        if (!file.exists())
            return std::nullopt;
        if (file.open(QIODevice::ReadOnly)) {
            if (auto value = decode(readJsonFile(file)))
                return value;
        }
    }
    unreadable(path);
    return std::nullopt;
}
