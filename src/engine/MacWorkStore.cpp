// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MacWorkStore.h"

#include "DataFolder.h"
#include "DayTotals.h"
#include "DurationText.h"
#include "RecordView.h"
#include "SegmentPieces.h"

#include <QDir>
#include <QSysInfo>

#include <algorithm>

std::unique_ptr<MacWorkStore> MacWorkStore::open(const Services &services, QString *error)
{
    const QString folder = dataFolderPath(services.process, services.applicationSupportFolder);
    QDir().mkpath(folder);
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("tockly.lock")));
    // Held for the life of the process; a lock left by a process that died is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError) {
        if (error) {
            qint64 pid = 0;
            QString host, app;
            lock->getLockInfo(&pid, &host, &app);
            *error = QStringLiteral("Another Tockly (process %1) is already tracking with the data "
                                    "folder %2; this one will not track or write anything.")
                         .arg(pid)
                         .arg(folder);
        }
        return nullptr;
    }
    // Any other failure (a folder we cannot write) leaves nothing another process could
    // overwrite either, so tracking goes on in memory.
    return std::unique_ptr<MacWorkStore>(new MacWorkStore(services, std::move(lock)));
}

MacWorkStore::MacWorkStore(const Services &s, std::unique_ptr<QLockFile> lock)
    : m_clock(s.clock), m_calendar(s.calendar), m_input(s.input), m_workspace(s.workspace),
      m_settings(s.settings), m_process(s.process), m_timer(s.timer), m_lock(std::move(lock)),
      m_userSettings(s.settings, s.loginItems),
      m_files({s.process, s.applicationSupportFolder, s.clock, m_calendar, s.settings}),
      m_crews({s.clock, m_calendar, s.settings, s.crewConnection, [this] { reportNow(); }}),
      m_sync({s.settings, m_calendar, s.machineId,
              s.hostName.isEmpty() ? QSysInfo::machineHostName() : s.hostName}),
      m_others(s.clock, m_calendar, s.folderWatcher), m_lastTickAt(s.clock.now())
{
    m_crews.load();
    loadStoredData();
    if (m_process.arguments().contains(QStringLiteral("-quenbyReset")))
        resetRecord();
    connect(&m_workspace, &Workspace::willSleep, this, &MacWorkStore::willSleep);
    connect(&m_workspace, &Workspace::didWake, this, &MacWorkStore::didWake);
    connect(&m_timer, &RepeatingTimer::fired, this, [this] { tick(m_clock.now()); });
    if (m_sync.isOn())
        m_savedActivity = m_activityByDay;
    connect(&m_others, &OtherComputers::recordsChanged, this, [this](Instant from, Instant to) {
        m_merged.invalidate(from, to);
        refreshMenuBarTitle();
        emit syncChanged();
    });
    connect(&m_others, &OtherComputers::problemsChanged, this, &MacWorkStore::syncChanged);
    connect(&m_others, &OtherComputers::ownFolderChanged, this, [this] {
        m_sync.checkOwnFolder();
        m_sync.retry(savedRecord());
        followSync();
    });
    connect(&m_sync, &SyncFolder::problemsChanged, this, &MacWorkStore::syncChanged);
    connect(&m_sync, &SyncFolder::settingChanged, this, [this] {
        followSync();
        emit syncChanged();
    });
    m_sync.start(savedRecord());
    followSync();
    m_publishedStatus = statusText();
    tick(m_clock.now());
}

MacWorkStore::~MacWorkStore()
{
    m_timer.stop();
}

// ---- Published fields

QVariant MacWorkStore::segmentStartValue() const
{
    return m_segmentStart ? QVariant(*m_segmentStart) : QVariant();
}

std::shared_ptr<const RecordView::DateIndex> MacWorkStore::ownIndex() const
{
    if (!m_dateIndex)
        m_dateIndex = RecordView::indexByDate(m_entries);
    return m_dateIndex;
}

RecordView MacWorkStore::recordView() const
{
    const std::span<const WorkEntry> entries(m_entries.constData(), size_t(m_entries.size()));
    if (m_sync.isOn() && m_others.hasRecords())
        return m_merged.view({entries, ownIndex(), m_segmentStart, m_activityByDay, goalSeconds()},
                             m_others, m_calendar, m_clock.now());
    return RecordView(entries, ownIndex(), m_segmentStart, m_activityByDay, goalSeconds(),
                      m_calendar, m_clock.now());
}

void MacWorkStore::publishStatusText()
{
    QString text = statusText();
    if (text == m_publishedStatus)
        return;
    m_publishedStatus = std::move(text);
    emit statusTextChanged();
}

void MacWorkStore::setIsIdle(bool idle)
{
    if (idle == m_isIdle)
        return;
    m_isIdle = idle;
    emit isIdleChanged();
    publishStatusText();
}

void MacWorkStore::setSegmentStart(std::optional<Instant> start)
{
    if (start == m_segmentStart)
        return;
    const bool wasTracking = isTracking();
    m_segmentStart = start;
    emit segmentStartChanged();
    if (wasTracking != isTracking()) {
        emit isTrackingChanged();
        publishStatusText();
    }
}

void MacWorkStore::setEntries(QList<WorkEntry> entries)
{
    if (entries == m_entries)
        return;
    m_entries = std::move(entries);
    m_dateIndex.reset();
    emit entriesChanged();
}

// ---- Tick loop and input sampling

void MacWorkStore::tick(Instant now)
{
    // A new system zone counts from this tick on, for the segment open now too: it is split at
    // the midnights of the zone in force when it closes.
    m_calendar.followSystemZone();
    Instant previous = m_lastTickAt;
    m_lastTickAt = now;

    // Time during which no tick ran (a suspended process, sleep without notice) never counts.
    if (now - previous > maxTickGap)
        closeSegment(previous);
    // The wall clock was set back. The segment is recorded as it stood (it would otherwise
    // start after every later "now" and record nothing), and the new reading of the clock is
    // where counting and the write pacing go on from.
    if (now < previous) {
        closeSegment(previous);
        previous = now;
        m_lastActivitySave = std::min(m_lastActivitySave, now);
        m_entriesTriedAt = std::min(m_entriesTriedAt, now);
        m_lastReport = std::min(m_lastReport, now);
    }

    const double idle = secondsSinceLastInput();
    setIsIdle(idle >= idleLimit);
    const bool counting = idle < idleLimit && autoTrackEnabled();
    sampleInput(now, previous, counting);

    if (counting) {
        if (!m_segmentStart)
            setSegmentStart(std::max(previous, now - idle));
        writeHeartbeat();
    } else if (m_segmentStart) {
        // The segment ends at the last input; the idle tail is never counted.
        closeSegment(now - idle);
    }

    refreshMenuBarTitle();

    if (m_entriesUnsaved && now - m_entriesTriedAt >= activitySaveInterval)
        saveEntries();

    if (!m_crews.crewConfigs().isEmpty() && isTracking() && now - m_lastReport > reportInterval)
        reportNow();

    const double interval = idle > 300 ? 30 : 5;
    if (interval != m_currentInterval)
        scheduleTimer(interval);
}

void MacWorkStore::sampleInput(Instant now, Instant previousTick, bool counting)
{
    const quint64 keys = m_input.eventCounter(InputEvent::keyDown);
    const quint64 clicks = quint64(m_input.eventCounter(InputEvent::leftMouseDown)) +
                           quint64(m_input.eventCounter(InputEvent::rightMouseDown)) +
                           quint64(m_input.eventCounter(InputEvent::otherMouseDown));
    const quint64 scrolls = m_input.eventCounter(InputEvent::scrollWheel);
    const quint64 mods = m_input.eventCounter(InputEvent::flagsChanged);
    auto keepBaselines = [&] {
        m_lastKeys = keys;
        m_lastClicks = clicks;
        m_lastScrolls = scrolls;
        m_lastMods = mods;
    };

    if (!autoTrackEnabled() || !m_lastKeys || !m_lastClicks || !m_lastScrolls || !m_lastMods) {
        m_lastFrontAppID.reset();
        keepBaselines();
        return;
    }

    // All input since the previous tick goes to the day and hour of now.
    const QString dayKey = m_calendar.dayKey(now);
    const auto stored = m_activityByDay.constFind(dayKey);
    DayActivity day = stored != m_activityByDay.constEnd() ? *stored : DayActivity();

    // A counter that restarted or wrapped gives nothing for this tick.
    auto delta = [](quint64 reading, quint64 baseline) {
        return reading >= baseline ? qint64(reading - baseline) : qint64(0);
    };
    const qint64 keyDelta = delta(keys, *m_lastKeys);
    day.keys += keyDelta;
    const int hour = m_calendar.hour(now);
    if (hour >= 0 && hour < 24)
        day.hourlyKeys[size_t(hour)] += keyDelta;
    day.clicks += delta(clicks, *m_lastClicks);
    day.scrolls += delta(scrolls, *m_lastScrolls);
    day.modifierTaps += delta(mods, *m_lastMods);

    if (counting) {
        const double step = std::clamp(now - previousTick, 0.0, 8.0);
        const double keyIdle = m_input.secondsSinceLastEvent(InputEvent::keyDown);
        const double mouseIdle =
            std::min({m_input.secondsSinceLastEvent(InputEvent::leftMouseDown),
                      m_input.secondsSinceLastEvent(InputEvent::rightMouseDown),
                      m_input.secondsSinceLastEvent(InputEvent::mouseMoved),
                      m_input.secondsSinceLastEvent(InputEvent::scrollWheel)});
        if (mouseIdle < keyIdle)
            day.mousingSeconds += step;
        else
            day.typingSeconds += step;

        if (const auto app = m_workspace.frontmostApplication()) {
            const QString id =
                app->identifier.value_or(app->displayName.value_or(QStringLiteral("?")));
            const QString name = app->displayName.value_or(id);
            day.appSeconds[name] += step;
            if (m_lastFrontAppID && *m_lastFrontAppID != id)
                day.appSwitches += 1;
            m_lastFrontAppID = id;
        }
    } else {
        // The first application seen after a pause is not a switch.
        m_lastFrontAppID.reset();
    }

    if (stored == m_activityByDay.constEnd() || *stored != day) {
        m_activityByDay.insert(dayKey, day);
        m_activityDirty = true;
        emit activityByDayChanged();
    }
    if (m_activityDirty && now - m_lastActivitySave >= activitySaveInterval)
        persistActivity();
    keepBaselines();
}

double MacWorkStore::secondsSinceLastInput() const
{
    if (m_process.hasEnvironment(QStringLiteral("QUENBY_DEMO_ACTIVE")))
        return 0;
    return std::min({m_input.secondsSinceLastEvent(InputEvent::leftMouseDown),
                     m_input.secondsSinceLastEvent(InputEvent::rightMouseDown),
                     m_input.secondsSinceLastEvent(InputEvent::mouseMoved),
                     m_input.secondsSinceLastEvent(InputEvent::keyDown),
                     m_input.secondsSinceLastEvent(InputEvent::scrollWheel)});
}

void MacWorkStore::scheduleTimer(double interval)
{
    m_timer.start(interval, 0.4 * interval);
    m_currentInterval = interval;
}

void MacWorkStore::refreshMenuBarTitle()
{
    const Instant now = m_clock.now();
    QString title = durationText(dayTotal(recordView(), now, now));
    if (title == m_menuBarTitle)
        return;
    m_menuBarTitle = std::move(title);
    emit menuBarTitleChanged();
}

QString MacWorkStore::statusText() const
{
    if (!autoTrackEnabled())
        return QStringLiteral("Auto-tracking is off");
    if (isTracking())
        return QStringLiteral("Counting — you're active");
    if (m_isIdle)
        return QStringLiteral("Paused — you stepped away");
    return QStringLiteral("Watching for activity…");
}

// ---- Segments

void MacWorkStore::closeSegment(Instant end)
{
    if (!m_segmentStart)
        return;
    const Instant start = *m_segmentStart;
    setSegmentStart(std::nullopt);
    if (end < start)
        end = start;
    if (end - start >= minSegment) {
        recordSegment(start, end);
        saveEntries();
    }
    writeHeartbeat();
}

void MacWorkStore::recordSegment(Instant from, Instant to)
{
    const QList<WorkEntry> pieces = segmentPieces(m_calendar, from, to);
    if (pieces.isEmpty())
        return;
    m_entries.append(pieces);
    m_dateIndex.reset();
    emit entriesChanged();
}

bool MacWorkStore::writeHeartbeat()
{
    return m_settings.setValue(heartbeatKey, encodeHeartbeat({m_segmentStart, m_clock.now()}));
}

// ---- Storage

bool MacWorkStore::saveEntries()
{
    const std::span<const WorkEntry> entries(m_entries.constData(), size_t(m_entries.size()));
    // A failed write is tried again from the tick, at sleep and at exit: the entries would
    // otherwise wait for the next recorded segment, which may never come before the program ends.
    m_entriesUnsaved = !m_files.writeEntries(entries);
    m_entriesTriedAt = m_clock.now();
    if (!m_entriesUnsaved)
        m_sync.publish(savedRecord());
    return !m_entriesUnsaved;
}

void MacWorkStore::saveUnsavedEntries()
{
    if (m_entriesUnsaved)
        saveEntries();
}

void MacWorkStore::persistActivity()
{
    if (!m_activityDirty)
        return;
    // A failed write keeps the flag and the time of the last good save, so the next tick tries
    // again rather than dropping the counts.
    if (m_files.writeActivity(m_activityByDay)) {
        m_activityDirty = false;
        m_lastActivitySave = m_clock.now();
        if (m_sync.isOn()) {
            m_savedActivity = m_activityByDay;
            m_sync.publish(savedRecord());
        }
    }
}

void MacWorkStore::writePendingActivity()
{
    persistActivity();
    saveUnsavedEntries();
}

void MacWorkStore::loadStoredData()
{
    if (auto activity = m_files.readActivity()) {
        m_activityByDay = std::move(*activity);
        emit activityByDayChanged();
    } else {
        migrateKeystrokes();
    }

    auto entries = m_files.readEntries();
    // Entries kept by an older version in the settings replace the entries file.
    if (migrateLegacyEntries(entries))
        return;

    if (entries)
        setEntries(std::move(*entries));
    recoverFromHeartbeat();
}

void MacWorkStore::migrateKeystrokes()
{
    const auto counts = m_files.readKeystrokes();
    if (!counts)
        return;
    m_activityByDay.insert(*counts);
    m_activityDirty = true;
    emit activityByDayChanged();
    persistActivity();
    // The older file goes only once its counts are safely in the new one.
    if (!m_activityDirty)
        m_files.removeKeystrokes();
}

bool MacWorkStore::migrateLegacyEntries(const std::optional<QList<WorkEntry>> &onFile)
{
    auto migrated = m_files.legacyEntries(onFile);
    if (!migrated)
        return false;
    setEntries(std::move(*migrated));
    setSegmentStart(std::nullopt);
    saveEntries();
    // A heartbeat left beside the older layout may mirror the segment just replayed; cleared
    // unread, so that it is never recorded a second time.
    writeHeartbeat();
    m_files.finishLegacyMove();
    return true;
}

void MacWorkStore::recoverFromHeartbeat()
{
    const auto data = m_settings.dataValue(heartbeatKey);
    const auto heartbeat = data ? decodeHeartbeat(*data) : std::nullopt;
    bool saved = true;
    // A heartbeat whose clearing failed (a full disk, a read-only folder) still holds a stretch
    // that was recorded: by the close that tried to clear it, or by an earlier recovery.
    if (heartbeat && heartbeat->segmentStart &&
        heartbeat->lastTick - *heartbeat->segmentStart >= minSegment &&
        !RecordFiles::isRecorded(m_entries, *heartbeat->segmentStart)) {
        recordSegment(*heartbeat->segmentStart, heartbeat->lastTick);
        saved = saveEntries();
    }
    setSegmentStart(std::nullopt);
    // Rewritten without a segment once the stretch is safely in the entries file; until then the
    // heartbeat keeps it for the next start, should this one end before the entries are written.
    if (saved)
        writeHeartbeat();
}

void MacWorkStore::resetRecord()
{
    setEntries({});
    setSegmentStart(std::nullopt);
    if (!m_activityByDay.isEmpty()) {
        m_activityByDay.clear();
        emit activityByDayChanged();
    }
    m_activityDirty = true;
    saveEntries();
    writeHeartbeat();
    persistActivity();
}

// ---- Settings

void MacWorkStore::setAutoTrackEnabled(bool enabled)
{
    if (m_userSettings.setAutoTrackEnabled(enabled)) {
        emit autoTrackEnabledChanged();
        publishStatusText();
    }
    const Instant now = m_clock.now();
    if (!enabled)
        closeSegment(now - secondsSinceLastInput());
    tick(now);
}

void MacWorkStore::setGoalSeconds(double seconds)
{
    if (m_userSettings.setGoalSeconds(seconds))
        emit goalSecondsChanged();
}

void MacWorkStore::setLaunchAtLogin(bool enabled)
{
    if (m_userSettings.setLaunchAtLogin(enabled))
        emit launchAtLoginChanged();
    if (m_userSettings.applyLaunchAtLogin())
        emit launchAtLoginChanged();
}

// ---- Other computers

SyncFolder::Record MacWorkStore::savedRecord() const
{
    return {std::span<const WorkEntry>(m_entries.constData(), size_t(m_entries.size())), ownIndex(),
            m_savedActivity};
}

void MacWorkStore::followSync()
{
    const SyncFolder::Setting &s = m_sync.setting();
    m_others.setFolder(m_sync.isOn() ? s.folder : QString(), s.id, s.published);
}

QString MacWorkStore::setSyncFolder(const QString &folder)
{
    // Stopping what is not on touches no file.
    if (folder.isEmpty() && !m_sync.isOn())
        return {};
    // What goes to the folder is what the main files hold.
    persistActivity();
    m_savedActivity = m_activityByDay;
    const QString error = m_sync.setFolder(folder, savedRecord());
    if (!m_sync.isOn())
        m_savedActivity.clear();
    return error;
}

void MacWorkStore::setComputerName(const QString &name)
{
    m_sync.setName(name, savedRecord());
}

void MacWorkStore::makeNewComputerId()
{
    m_sync.makeNewId(savedRecord());
}

QStringList MacWorkStore::syncProblems() const
{
    return m_sync.problems() + m_others.problems();
}

// ---- Crew reports

QHash<QString, double> MacWorkStore::reportDays(Instant now) const
{
    const RecordView record = recordView();
    QHash<QString, double> days;
    for (int offset = 0; offset >= -7; --offset) {
        if (const auto day = m_calendar.addDays(now, offset))
            days.insert(m_calendar.dayKey(*day), dayTotal(record, *day, now));
    }
    return days;
}

void MacWorkStore::reportNow()
{
    if (m_crews.crewConfigs().isEmpty())
        return;
    const Instant now = m_clock.now();
    // Set whatever the outcome, so a failed report is repeated at the tick's pace, not sooner.
    m_lastReport = now;
    m_crews.sendReports(reportDays(now));
}

// ---- Sleep and wake

void MacWorkStore::willSleep()
{
    m_calendar.followSystemZone();
    const Instant now = m_clock.now();
    // Set back since the last tick, the clock would end the segment before its start.
    closeSegment(now < m_lastTickAt ? m_lastTickAt : now - secondsSinceLastInput());
    persistActivity();
    saveUnsavedEntries();
    m_lastTickAt = now;
}

void MacWorkStore::didWake()
{
    tick(m_clock.now());
}
