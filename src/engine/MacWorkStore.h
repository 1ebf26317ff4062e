// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "Clock.h"
#include "CrewConnection.h"
#include "Crews.h"
#include "DayActivity.h"
#include "FolderWatcher.h"
#include "Heartbeat.h"
#include "InputSource.h"
#include "LoginItems.h"
#include "MergedView.h"
#include "OtherComputers.h"
#include "Process.h"
#include "RecordFiles.h"
#include "RecordView.h"
#include "RepeatingTimer.h"
#include "SettingsStore.h"
#include "SyncFolder.h"
#include "UserSettings.h"
#include "WorkEntry.h"
#include "Workspace.h"

#include <QHash>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

// The one object that owns the tracker's state: the tick loop that samples input, the open work
// segment and its heartbeat, the recorded entries and the day activity. It hands the work on
// files and migrations to its RecordFiles, the settings to its UserSettings and the crew
// memberships to its Crews, which it publishes whole. Everything runs on the main thread.
// Published fields notify only when their value really changes, so a quiet tick wakes no view.
class MacWorkStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isIdle READ isIdle NOTIFY isIdleChanged)
    Q_PROPERTY(bool autoTrackEnabled READ autoTrackEnabled WRITE setAutoTrackEnabled NOTIFY
                   autoTrackEnabledChanged)
    Q_PROPERTY(double goalSeconds READ goalSeconds WRITE setGoalSeconds NOTIFY goalSecondsChanged)
    Q_PROPERTY(
        bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(QString menuBarTitle READ menuBarTitle NOTIFY menuBarTitleChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusTextChanged)
    // The start instant as a number, or null while no segment is open.
    Q_PROPERTY(QVariant segmentStart READ segmentStartValue NOTIFY segmentStartChanged)
    Q_PROPERTY(bool isTracking READ isTracking NOTIFY isTrackingChanged)
    Q_PROPERTY(QList<WorkEntry> entries READ entries NOTIFY entriesChanged)
    Q_PROPERTY(ActivityByDay activityByDay READ activityByDay NOTIFY activityByDayChanged)
    // The crew memberships, their leaderboards and the invitations.
    Q_PROPERTY(Crews *crews READ crews CONSTANT)

public:
    using Heartbeat = ::Heartbeat;
    using Saved = ::Saved;

    // What the store reaches the system through. The services must outlive the store.
    struct Services {
        const Clock &clock;
        Calendar calendar;
        InputSource &input;
        Workspace &workspace;
        SettingsStore &settings;
        LoginItems &loginItems;
        Process &process;
        RepeatingTimer &timer;
        // The base of the data folder when $QUENBY_DATA_DIR is not set.
        QString applicationSupportFolder;
        // The crew service; it must also outlive the crew tasks.
        CrewClient::Connection &crewConnection;
        // Tells when the synced folder changes; without one it is read at start and when the
        // setting changes.
        FolderWatcher *folderWatcher = nullptr;
        // The system's machine id (systemMachineId()); without one, copies of one home folder on
        // two systems cannot be told apart.
        QByteArray machineId = {};
        // The system's host name; empty: the system's own.
        QString hostName = {};
    };

    static constexpr double idleLimit = 30;
    static constexpr double maxTickGap = 90;
    static constexpr double minSegment = 30;
    static constexpr double reportInterval = 300;
    static constexpr double activitySaveInterval = 60;
    static constexpr double goalStep = UserSettings::goalStep;
    static constexpr double longestGoal = UserSettings::longestGoal;
    // The same instant as the platform's "distant past".
    static constexpr Instant distantPast = -63114076800.0;

    // The keys of the settings store; each part keeps its own.
    static inline const QString &crewKey = Crews::crewKey;
    static inline const QString &crewsKey = Crews::crewsKey;
    static inline const QString &legacyStorageKey = RecordFiles::legacyStorageKey;
    static inline const QString heartbeatKey = QStringLiteral("quenby.mac.heartbeat.v1");
    static inline const QString &autoKey = UserSettings::autoKey;
    static inline const QString &goalKey = UserSettings::goalKey;
    static inline const QString &inviteOfferedKey = Crews::inviteOfferedKey;

    // Takes the lock on the data folder and builds the store: settings, crew list, data files,
    // migrations, heartbeat recovery, "-quenbyReset", sleep and wake observers, the first tick.
    // When another process holds the folder, nothing is read or written and the result is
    // empty, with the reason in `error`.
    static std::unique_ptr<MacWorkStore> open(const Services &services, QString *error = nullptr);
    ~MacWorkStore() override;

    // Published fields.
    bool isIdle() const { return m_isIdle; }
    bool autoTrackEnabled() const { return m_userSettings.autoTrackEnabled(); }
    double goalSeconds() const { return m_userSettings.goalSeconds(); }
    bool launchAtLogin() const { return m_userSettings.launchAtLogin(); }
    const QString &menuBarTitle() const { return m_menuBarTitle; }
    QString statusText() const;
    std::optional<Instant> segmentStart() const { return m_segmentStart; }
    bool isTracking() const { return m_segmentStart.has_value(); }
    const QList<WorkEntry> &entries() const { return m_entries; }
    const ActivityByDay &activityByDay() const { return m_activityByDay; }
    Crews *crews() { return &m_crews; }
    const Crews *crews() const { return &m_crews; }

    // Engine state.
    Instant lastTickAt() const { return m_lastTickAt; }
    Instant lastReport() const { return m_lastReport; }
    double currentInterval() const { return m_currentInterval; }
    Instant lastActivitySave() const { return m_lastActivitySave; }
    const Calendar &calendar() const { return m_calendar; }
    const Clock &clock() const { return m_clock; }
    // The statistics' look at the current state, at the clock's now.
    RecordView recordView() const;

    // Tick loop and input sampling.
    void tick(Instant now);
    void sampleInput(Instant now, Instant previousTick, bool counting);

    // Storage. The save operations return false when nothing durable was written.
    QString entriesFileURL() const { return m_files.entriesPath(); }
    bool saveEntries();
    void persistActivity();

    // Settings; each setter runs its change action, also when the value is unchanged.
    void setAutoTrackEnabled(bool enabled);
    void setGoalSeconds(double seconds);
    void setLaunchAtLogin(bool enabled);

    // Sends today's and the 7 previous days' totals to every crew; returns at once.
    Q_INVOKABLE void reportNow();
    // Day key -> seconds worked, for today and the 7 days before.
    QHash<QString, double> reportDays(Instant now) const;

    // The record across the user's computers, through a folder they keep in step with a tool
    // of their own. Off by default; while off, nothing of it runs.
    const SyncFolder &syncFolder() const { return m_sync; }
    const OtherComputers &otherComputers() const { return m_others; }
    // Turns syncing on into an existing folder, or off with an empty path; returns why it cannot.
    QString setSyncFolder(const QString &folder);
    // An empty name is the host name.
    void setComputerName(const QString &name);
    void makeNewComputerId();
    // What keeps the record across computers from being whole, in the doctor's words.
    QStringList syncProblems() const;

    // Before a clean exit (logout, shutdown, a termination signal): writes the activity counts
    // not yet saved. The open segment is left in the heartbeat, to be recorded at the next start
    // exactly as after a hard stop.
    void writePendingActivity();

signals:
    void isIdleChanged();
    void autoTrackEnabledChanged();
    void goalSecondsChanged();
    void launchAtLoginChanged();
    void menuBarTitleChanged();
    void statusTextChanged();
    void segmentStartChanged();
    void isTrackingChanged();
    void entriesChanged();
    void activityByDayChanged();
    // The sync setting, the other computers, their records or their problems changed.
    void syncChanged();

private:
    MacWorkStore(const Services &services, std::unique_ptr<QLockFile> lock);

    QVariant segmentStartValue() const;
    double secondsSinceLastInput() const;
    void scheduleTimer(double interval);
    void refreshMenuBarTitle();

    // Segments.
    void closeSegment(Instant end);
    void recordSegment(Instant from, Instant to);
    // False when the settings store could not make it durable.
    bool writeHeartbeat();

    void loadStoredData();
    void migrateKeystrokes();
    bool migrateLegacyEntries(const std::optional<QList<WorkEntry>> &onFile);
    void recoverFromHeartbeat();
    void saveUnsavedEntries();
    void resetRecord();

    // System sleep.
    void willSleep();
    void didWake();

    void setIsIdle(bool idle);
    void setSegmentStart(std::optional<Instant> start);
    void setEntries(QList<WorkEntry> entries);
    void publishStatusText();
    std::shared_ptr<const RecordView::DateIndex> ownIndex() const;
    SyncFolder::Record savedRecord() const;
    void followSync();

    const Clock &m_clock;
    Calendar m_calendar;
    InputSource &m_input;
    Workspace &m_workspace;
    SettingsStore &m_settings;
    Process &m_process;
    RepeatingTimer &m_timer;
    std::unique_ptr<QLockFile> m_lock;
    UserSettings m_userSettings;
    RecordFiles m_files;

    bool m_isIdle = false;
    QString m_menuBarTitle = QStringLiteral("0m");
    QString m_publishedStatus;
    std::optional<Instant> m_segmentStart;
    QList<WorkEntry> m_entries;
    // The statistics' index of the entries by date, built on first use after each change: the
    // entries change once per segment, the view is wanted on every tick.
    mutable std::shared_ptr<const RecordView::DateIndex> m_dateIndex;
    ActivityByDay m_activityByDay;
    Crews m_crews;
    SyncFolder m_sync;
    OtherComputers m_others;
    mutable MergedView m_merged;
    // The day activity as last saved, which is what the synced folder gets; kept while syncing.
    ActivityByDay m_savedActivity;

    double m_currentInterval = 0;
    std::optional<quint64> m_lastKeys, m_lastClicks, m_lastScrolls, m_lastMods;
    std::optional<QString> m_lastFrontAppID;
    bool m_activityDirty = false;
    Instant m_lastActivitySave = distantPast;
    // The last entries write failed; it is tried again (see saveEntries()).
    bool m_entriesUnsaved = false;
    Instant m_entriesTriedAt = distantPast;
    Instant m_lastTickAt = 0;
    Instant m_lastReport = distantPast;
};
