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
#include "RecordView.h"
#include "RepeatingTimer.h"
#include "Saved.h"
#include "SettingsStore.h"
#include "SyncFolder.h"
#include "WorkEntry.h"
#include "Workspace.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

class Pasteboard;

// The one object that owns the tracker's state: the tick loop that samples input, the open work
// segment and its heartbeat, the recorded entries, the day activity, the settings and, through
// the Crews it owns, the crew memberships. Everything runs on the main thread. Published fields
// notify only when their value really changes, so a quiet tick wakes no view.
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
    Q_PROPERTY(QList<CrewClient::Config> crewConfigs READ crewConfigs NOTIFY crewConfigsChanged)
    Q_PROPERTY(StandingsByCode standingsByCode READ standingsByCode NOTIFY standingsByCodeChanged)
    // A set: each code at most once, in the order ownership was first seen.
    Q_PROPERTY(QStringList ownedCrewCodes READ ownedCrewCodes NOTIFY ownedCrewCodesChanged)
    // The last crew failure for the crew section to show; empty when there is nothing to show.
    Q_PROPERTY(QString crewError READ crewError NOTIFY crewErrorChanged)
    Q_PROPERTY(bool hasPendingInvite READ hasPendingInvite NOTIFY hasPendingInviteChanged)

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
    static constexpr double defaultGoal = 14400;
    // A goal is 0 (none) or a whole number of these steps up to the longest.
    static constexpr double goalStep = 7200;
    static constexpr double longestGoal = 86400;
    static constexpr int maxCrews = CrewClient::maxCrews;
    // The same instant as the platform's "distant past".
    static constexpr Instant distantPast = -63114076800.0;

    static inline const QString &crewKey = Crews::crewKey;
    static inline const QString &crewsKey = Crews::crewsKey;
    static inline const QString legacyStorageKey = QStringLiteral("quenby.mac.data.v1");
    static inline const QString heartbeatKey = QStringLiteral("quenby.mac.heartbeat.v1");
    static inline const QString autoKey = QStringLiteral("quenby.mac.auto.v1");
    static inline const QString goalKey = QStringLiteral("quenby.mac.goal.v1");
    static inline const QString &inviteOfferedKey = Crews::inviteOfferedKey;

    // Takes the lock on the data folder and builds the store: settings, crew list, data files,
    // migrations, heartbeat recovery, "-quenbyReset", sleep and wake observers, the first tick.
    // When another process holds the folder, nothing is read or written and the result is
    // empty, with the reason in `error`.
    static std::unique_ptr<MacWorkStore> open(const Services &services, QString *error = nullptr);
    ~MacWorkStore() override;

    // Published fields.
    bool isIdle() const { return m_isIdle; }
    bool autoTrackEnabled() const { return m_autoTrackEnabled; }
    double goalSeconds() const { return m_goalSeconds; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    const QString &menuBarTitle() const { return m_menuBarTitle; }
    QString statusText() const;
    std::optional<Instant> segmentStart() const { return m_segmentStart; }
    QVariant segmentStartValue() const;
    bool isTracking() const { return m_segmentStart.has_value(); }
    const QList<WorkEntry> &entries() const { return m_entries; }
    const ActivityByDay &activityByDay() const { return m_activityByDay; }
    const QList<CrewClient::Config> &crewConfigs() const { return m_crews.crewConfigs(); }
    const StandingsByCode &standingsByCode() const { return m_crews.standingsByCode(); }
    const QStringList &ownedCrewCodes() const { return m_crews.ownedCrewCodes(); }
    const QString &crewError() const { return m_crews.crewError(); }
    bool hasPendingInvite() const { return m_crews.hasPendingInvite(); }
    // The first membership, if any.
    std::optional<CrewClient::Config> crewConfig() const;

    // Engine state.
    Instant lastTickAt() const { return m_lastTickAt; }
    Instant lastReport() const { return m_lastReport; }
    double currentInterval() const { return m_currentInterval; }
    bool activityDirty() const { return m_activityDirty; }
    Instant lastActivitySave() const { return m_lastActivitySave; }
    std::optional<QString> lastFrontAppID() const { return m_lastFrontAppID; }
    const Calendar &calendar() const { return m_calendar; }
    const Clock &clock() const { return m_clock; }
    // The statistics' look at the current state, at the clock's now.
    RecordView recordView() const;

    // Tick loop and input sampling.
    void tick(Instant now);
    void sampleInput(Instant now, Instant previousTick, bool counting);
    double secondsSinceLastInput() const;
    void scheduleTimer(double interval);
    void refreshMenuBarTitle();

    // Segments.
    void closeSegment(Instant end);
    void recordSegment(Instant from, Instant to);
    // False when the settings store could not make it durable.
    bool writeHeartbeat();
    // Whether `entries` hold the stretch that began at segmentStart: a heartbeat whose clearing
    // failed still holds a recorded stretch.
    static bool isRecorded(const QList<WorkEntry> &entries, Instant segmentStart);
    // Whether the entries file was written by the migration of `saved`, whose key then could
    // not be removed: it begins with the legacy entries and the replayed segment.
    static bool isMigrated(const Saved &saved, const std::optional<QList<WorkEntry>> &onFile);
    // What the migration of `saved` writes: its entries, then its open segment up to its last
    // tick.
    static QList<WorkEntry> migratedEntries(const Saved &saved, const Calendar &calendar);

    // Storage. The save operations return false when nothing durable was written.
    QString entriesFileURL() const;
    bool saveEntries();
    void persistActivity();
    bool saveCrews() { return m_crews.save(); }

    // Settings; each setter runs its change action, also when the value is unchanged.
    void setAutoTrackEnabled(bool enabled);
    void setGoalSeconds(double seconds);
    void setLaunchAtLogin(bool enabled);
    // The goal a stored number restores to: 0 (no goal) or a whole number of two-hour steps
    // between 2 and 24 hours.
    static double restoredGoal(std::optional<double> stored);

    // Crew memberships; every change is saved at once.
    void setCrewConfigs(const QList<CrewClient::Config> &configs)
    {
        m_crews.setCrewConfigs(configs);
    }

    // Crew operations, carried out by the Crews. They run on the main thread and may overlap;
    // the asynchronous ones suspend while their requests run, and their tasks may outlive the
    // store. Nicknames go to the service as given: trimming is the caller's business. Failures
    // end up in crewError.
    static QString crewLimitMessage() { return Crews::crewLimitMessage(); }
    QCoro::Task<> joinCrew(QString code, QString nickname)
    {
        return m_crews.joinCrew(std::move(code), std::move(nickname));
    }
    QCoro::Task<> createCrew(QString crewName, QString nickname)
    {
        return m_crews.createCrew(std::move(crewName), std::move(nickname));
    }
    QCoro::Task<> refreshCrews() { return m_crews.refreshCrews(); }
    // Takes effect here at once; the service is told in the background.
    Q_INVOKABLE void leaveCrew(const QString &code) { m_crews.leaveCrew(code); }
    // Starts at once; the service decides whether this membership may remove members.
    QCoro::Task<> removeMember(QString code, QString nickname)
    {
        return m_crews.removeMember(std::move(code), std::move(nickname));
    }
    // Sends today's and the 7 previous days' totals to every crew; returns at once.
    Q_INVOKABLE void reportNow();
    // Day key -> seconds worked, for today and the 7 days before.
    QHash<QString, double> reportDays(Instant now) const;

    // Invitations. Without a pasteboard, copying and the pasteboard check do nothing.
    void setPasteboard(Pasteboard *pasteboard) { m_crews.setPasteboard(pasteboard); }
    Q_INVOKABLE void copyInvite(const QString &code) { m_crews.copyInvite(code); }
    // Once per run, at start: offers an invitation token found on the pasteboard, each code
    // only once across starts. hasPendingInvite is set at once, the window is asked for later.
    void checkPasteboardForInvite() { m_crews.checkPasteboardForInvite(); }
    // Asks for the invitation window unless the crew is held or there is no room for it.
    void openInvite(const QString &code) { m_crews.openInvite(code); }
    // Application links ("quenby://join/CODE"); anything else is ignored.
    void openInviteLinks(const QStringList &links) { m_crews.openInviteLinks(links); }

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

    // System sleep.
    void willSleep();
    void didWake();

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
    void crewConfigsChanged();
    void standingsByCodeChanged();
    void ownedCrewCodesChanged();
    void crewErrorChanged();
    void hasPendingInviteChanged();
    // The window opener shows the invitation window for the code.
    void inviteWindowRequested(const QString &code);
    // The sync setting, the other computers, their records or their problems changed.
    void syncChanged();

private:
    MacWorkStore(const Services &services, std::unique_ptr<QLockFile> lock);

    void restoreSettings();
    void loadStoredData();
    void migrateKeystrokes(const QString &path);
    bool migrateLegacyEntries(const std::optional<QList<WorkEntry>> &onFile);
    void recoverFromHeartbeat();
    void saveUnsavedEntries();
    void resetRecord();
    void applyLaunchAtLogin();

    template<typename Decode>
    auto readDataFile(const QString &path, Decode decode) -> decltype(decode(QByteArray()));
    QString siblingPath(const QString &fileName) const;

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
    LoginItems &m_loginItems;
    Process &m_process;
    RepeatingTimer &m_timer;
    QString m_applicationSupportFolder;
    std::unique_ptr<QLockFile> m_lock;

    bool m_isIdle = false;
    bool m_autoTrackEnabled = true;
    double m_goalSeconds = defaultGoal;
    bool m_launchAtLogin = false;
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
