// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "RecordView.h"
#include "SettingsStore.h"
#include "SyncSetting.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QUuid>

#include <memory>
#include <span>

// The folder, kept in step between someone's computers by a tool of their own, through which
// they share their records: this computer's half. Its setting, and its folder in there, which
// only it writes: "<folder>/<id>/" with a description (computer.json) and the record split by
// month. Months are written after the main files are saved, and only when their content changed,
// so a month that is over is never written again.
//
// It never creates the synced folder, and creates its own folder there only once: when that
// folder is missing later (an unmounted share, a removed folder), nothing is written until it is
// back or the folder is chosen again, so that nothing lands under an empty mount point.
class SyncFolder : public QObject {
    Q_OBJECT
public:
    static inline const QString &settingKey = SyncSetting::key;

    using Setting = SyncSetting;

    struct Services {
        SettingsStore &settings;
        // The store's calendar, followed as its zone changes: it sorts entries into months.
        const Calendar &calendar;
        QByteArray machineId;
        QString hostName;
    };

    // What is written: the entries and the day activity as saved in the main files.
    struct Record {
        std::span<const WorkEntry> entries;
        std::shared_ptr<const RecordView::DateIndex> index;
        const ActivityByDay &activity;
    };

    explicit SyncFolder(const Services &services);

    const Setting &setting() const { return m_setting; }
    bool isOn() const { return !m_setting.folder.isEmpty(); }
    QString computerName() const;
    QString ownFolder() const;
    QString machine() const;
    // Why this computer's record is not in the folder as it should be; empty when it is.
    QStringList problems() const;

    // Turns syncing on into an existing folder and writes the record there, taking this
    // computer's folder over from whatever wrote it before; an empty path turns it off. Returns
    // why it cannot.
    QString setFolder(const QString &folder, const Record &record);
    // An empty name is the host name.
    void setName(const QString &name, const Record &record);
    // A fresh id, for one of two computers that took the same one with a copied home folder.
    void makeNewId(const Record &record);

    // Once, at start: the folder gets whatever it lacks of the record.
    void start(const Record &record);
    // After each save of the entries file or the activity file: the months that changed.
    void publish(const Record &record);
    // The folder may be back (a mount, the folder made again): writes what it missed.
    void retry(const Record &record);
    // Something changed in this computer's folder: another computer writing as this one?
    void checkOwnFolder();
    // Looks at the folder without writing anything, for problems() (a command beside the
    // running application).
    void check();

signals:
    void settingChanged();
    void problemsChanged();

private:
    enum class State { ok, folderMissing, ownFolderMissing, clash };

    void saveSetting();
    void setState(State state, const QString &detail = {});
    State assess(bool takeOver, QString *writer) const;
    bool prepare(bool takeOver);
    void writeAll(const Record &record);
    bool writeMonth(const QString &month, const Record &record);
    bool writeFile(const QString &name, const QByteArray &bytes);
    void noteChanges(const Record &record);
    void remember(const Record &record);
    void snapshot();
    QStringList monthsOf(const Record &record) const;

    SettingsStore &m_settings;
    const Calendar &m_calendar;
    QByteArray m_machineId;
    QString m_hostName;
    Setting m_setting;

    // Nothing is written before start(): the load's own saves come before it.
    bool m_started = false;
    State m_state = State::ok;
    QString m_clashName;
    // Every month is compared with the folder's copy at the next chance.
    bool m_writeAll = true;
    QSet<QString> m_dirty;
    QHash<QString, QString> m_writeFailures; // file name -> reason
    // What was last published, to tell which months a save changed.
    qsizetype m_publishedCount = 0;
    std::optional<WorkEntry> m_publishedLast;
    ActivityByDay m_publishedActivity;
    // Size and time of each file of this computer's folder as this computer left it.
    QHash<QString, QPair<qint64, qint64>> m_snapshot;
};
