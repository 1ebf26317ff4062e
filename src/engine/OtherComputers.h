// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "Clock.h"
#include "FolderWatcher.h"
#include "MonthRecord.h"
#include "RecordView.h"

#include <QFileInfo>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <map>
#include <memory>

// The other computers' folders in the synced folder, read-only: their descriptions and their
// records, read again when they change (the watcher's news, after a short pause for a sync tool
// that moves several files at once). Files are read with the same strict decoders and bounds as
// our own. What cannot be read is left alone and named, and what was read before still counts: a
// half-synced month keeps its last good reading, a computer whose folder went counts as last
// seen, and so do all of them while the synced folder is not there (an unmounted share).
class OtherComputers : public QObject {
    Q_OBJECT
public:
    struct Computer {
        QUuid id;
        QString name;
        // The newest of its files.
        std::optional<Instant> lastWrote;
        // While its folder is gone: when it was last there.
        std::optional<Instant> goneSince;
        QMap<QString, MonthRecord> months;
        // Its months' entries, in place.
        std::shared_ptr<const RecordView::DateIndex> index;
        // File name -> why it is left alone.
        QMap<QString, QString> problems;
        // File name -> size and time when last read.
        QHash<QString, QPair<qint64, qint64>> seen;
    };

    // Without a watcher, the folder is read when asked (rescan()).
    OtherComputers(const Clock &clock, const Calendar &calendar, FolderWatcher *watcher = nullptr);

    // The synced folder and this computer's id; an empty folder forgets every computer.
    // `ownFolderMade`: this computer's folder was made there, so that a folder without it is an
    // empty mount point, not the synced folder.
    void setFolder(const QString &folder, const QUuid &ownId, bool ownFolderMade);
    // Reads the whole folder again.
    void rescan();
    // Reads what the watcher told of, now rather than after the pause: only the files it named
    // when it named them.
    void rescanChanges();

    const std::map<QUuid, Computer> &computers() const { return m_computers; }
    bool hasRecords() const;
    // The computers' day activity, summed.
    const ActivityByDay &activity() const { return m_activity; }
    // Why something in the folder is left alone, or counts as last seen; empty when nothing is.
    QStringList problems() const;

signals:
    // Records between the two instants changed.
    void recordsChanged(Instant from, Instant to);
    void problemsChanged();
    // This computer's folder changed, or the synced folder may be back.
    void ownFolderChanged();

private:
    void finish();
    // Reads the computer's files again: those named in `only`, or all of them.
    void scan(Computer &computer, const QString &path, const QSet<QString> *only = nullptr);
    void readDescription(Computer &computer, const QFileInfo &file);
    bool readMonth(Computer &computer, const QFileInfo &file, const QString &month);
    void resum(const QSet<QString> &months);
    void watchFolders();
    void changedMonth(const QString &month);
    QString timeText(Instant t) const;

    const Clock &m_clock;
    const Calendar &m_calendar;
    FolderWatcher *m_watcher;
    QTimer m_pause;
    bool m_ownChanged = false;
    // What the watcher told of: the files of each folder (none: the whole folder), or anything.
    QHash<QString, QSet<QString>> m_changes;
    bool m_changedAll = false;

    QString m_folder;
    QUuid m_ownId;
    bool m_ownFolderMade = false;
    // While the synced folder is not there: since when.
    std::optional<Instant> m_missingSince;
    std::map<QUuid, Computer> m_computers;
    ActivityByDay m_activity;
    // What changed during a scan.
    QSet<QString> m_changedMonths;
    QStringList m_problems;
};
