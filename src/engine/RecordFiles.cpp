// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordFiles.h"

#include "AtomicFile.h"
#include "CorruptCopy.h"
#include "DataFolder.h"
#include "MacWorkStore.h"
#include "SegmentPieces.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

RecordFiles::RecordFiles(const Services &s)
    : m_process(s.process), m_applicationSupportFolder(s.applicationSupportFolder),
      m_clock(s.clock), m_calendar(s.calendar), m_settings(s.settings)
{}

QString RecordFiles::entriesPath() const
{
    const QString folder = dataFolderPath(m_process, m_applicationSupportFolder);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("entries.json"));
}

QString RecordFiles::siblingPath(const QString &fileName) const
{
    return QFileInfo(entriesPath()).dir().filePath(fileName);
}

bool RecordFiles::writeEntries(std::span<const WorkEntry> entries) const
{
    return writeFileAtomically(entriesPath(), encodeEntries(entries, JsonStyle::compact));
}

bool RecordFiles::writeActivity(const ActivityByDay &activity) const
{
    return writeFileAtomically(siblingPath(QStringLiteral("activity.json")),
                               encodeActivity(activity));
}

template<typename Decode>
auto RecordFiles::read(const QString &path, Decode decode) const -> decltype(decode(QByteArray()))
{
    return readRecordFile(path, decode, [this](const QString &unreadable) {
        keepCorruptCopy(unreadable, QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(m_clock.now())),
                                                                   m_calendar.zone()));
    });
}

std::optional<QList<WorkEntry>> RecordFiles::readEntries() const
{
    return read(entriesPath(), decodeEntries);
}

std::optional<ActivityByDay> RecordFiles::readActivity() const
{
    return read(siblingPath(QStringLiteral("activity.json")), decodeActivity);
}

ActivityByDay RecordFiles::keystrokeActivity(const QMap<QString, qint64> &keysByDay)
{
    ActivityByDay activity;
    for (auto it = keysByDay.begin(); it != keysByDay.end(); ++it)
        activity[it.key()].keys = it.value();
    return activity;
}

std::optional<ActivityByDay> RecordFiles::readKeystrokes() const
{
    // Never kept aside: nothing ever writes this file again.
    QFile file(siblingPath(QStringLiteral("keystrokes.json")));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto counts = decodeKeystrokes(file.readAll());
    return counts ? std::optional(keystrokeActivity(*counts)) : std::nullopt;
}

void RecordFiles::removeKeystrokes() const
{
    QFile::remove(siblingPath(QStringLiteral("keystrokes.json")));
}

std::optional<QList<WorkEntry>>
RecordFiles::legacyEntries(const std::optional<QList<WorkEntry>> &onFile)
{
    const auto data = m_settings.dataValue(legacyStorageKey);
    const auto saved = data ? decodeSaved(*data) : std::nullopt;
    if (!saved)
        return std::nullopt;
    // Running the migration again would drop what was recorded since; its key's removal is
    // tried again instead.
    if (isMigrated(*saved, onFile)) {
        m_settings.remove(legacyStorageKey);
        return std::nullopt;
    }
    return migratedEntries(*saved, m_calendar);
}

void RecordFiles::finishLegacyMove()
{
    if (QFile file(entriesPath());
        file.open(QIODevice::ReadOnly) && decodeEntries(readJsonFile(file)))
        m_settings.remove(legacyStorageKey);
}

bool RecordFiles::isRecorded(const QList<WorkEntry> &entries, Instant segmentStart)
{
    // The first piece of a recorded stretch starts at its start, or at the midnight less than a
    // second later that dropped a shorter piece; no other stretch starts there.
    return std::any_of(entries.begin(), entries.end(), [&](const WorkEntry &e) {
        return e.kind == WorkEntry::Kind::timed && e.date >= segmentStart &&
               e.date <= segmentStart + 1.0;
    });
}

bool RecordFiles::isMigrated(const Saved &saved, const std::optional<QList<WorkEntry>> &onFile)
{
    if (!onFile || onFile->size() < saved.entries.size() ||
        !std::equal(saved.entries.begin(), saved.entries.end(), onFile->begin()))
        return false;
    const auto start = saved.segmentStart;
    const bool replays =
        start && saved.lastTick.value_or(*start) - *start >= MacWorkStore::minSegment;
    return !replays || isRecorded(onFile->mid(saved.entries.size()), *start);
}

QList<WorkEntry> RecordFiles::migratedEntries(const Saved &saved, const Calendar &calendar)
{
    QList<WorkEntry> entries = saved.entries;
    if (const auto start = saved.segmentStart) {
        const Instant end = saved.lastTick.value_or(*start);
        if (end - *start >= MacWorkStore::minSegment)
            entries.append(segmentPieces(calendar, *start, end));
    }
    return entries;
}
