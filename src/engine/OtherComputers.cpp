// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OtherComputers.h"

#include "ComputerDescription.h"
#include "MergedRecord.h"
#include "SyncFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTimeZone>

namespace {

QPair<qint64, qint64> stamp(const QFileInfo &file)
{
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

// The instants a writer's month may hold, in any zone, with the stretches reaching out of it.
std::pair<Instant, Instant> reachOf(const QString &month)
{
    const QDate first = dateFromDayKey(QString(month + QStringLiteral("-01")));
    const auto start = [](QDate d) {
        return instantFromDateTime(QDateTime(d, QTime(0, 0), QTimeZone::utc()));
    };
    return {start(first) - 2 * 86400, start(first.addMonths(1)) + 2 * 86400 + kLongestStretch};
}

QString unreadableText(int format, bool hasLastGood)
{
    if (format > 0)
        return QStringLiteral("written in a newer format (%1) by a newer Tockly; left alone")
            .arg(format);
    return hasLastGood ? QStringLiteral("cannot be read (half synced, or damaged); left alone, "
                                        "its last good reading counts")
                       : QStringLiteral("cannot be read (half synced, or damaged); left alone");
}

} // namespace

OtherComputers::OtherComputers(const Clock &clock, const Calendar &calendar, FolderWatcher *watcher)
    : m_clock(clock), m_calendar(calendar), m_watcher(watcher)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(300);
    connect(&m_pause, &QTimer::timeout, this, &OtherComputers::rescanChanges);
    if (!m_watcher)
        return;
    connect(m_watcher, &FolderWatcher::changed, this,
            [this](const QString &folder, const QString &name) {
                if (folder == QDir(m_folder).filePath(uuidText(m_ownId))) {
                    m_ownChanged = true;
                } else if (m_missingSince || folder == m_folder) {
                    // Computers came or went, or the folder may be back, ours with it.
                    m_changedAll = m_ownChanged = true;
                } else if (const auto known = m_changes.constFind(folder);
                           known == m_changes.cend() || !known->isEmpty()) {
                    if (name.isEmpty())
                        m_changes.insert(folder, {});
                    else
                        m_changes[folder].insert(name);
                }
                m_pause.start();
            });
    connect(m_watcher, &FolderWatcher::mountsChanged, this, [this] {
        m_changedAll = m_ownChanged = true;
        m_pause.start();
    });
}

void OtherComputers::setFolder(const QString &folder, const QUuid &ownId, bool ownFolderMade)
{
    const bool same = folder == m_folder && ownId == m_ownId;
    m_ownFolderMade = ownFolderMade;
    if (!same) {
        const bool had = hasRecords();
        m_folder = folder;
        m_ownId = ownId;
        m_computers.clear();
        m_activity.clear();
        m_missingSince.reset();
        if (had)
            emit recordsChanged(-std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::infinity());
    }
    rescan();
}

bool OtherComputers::hasRecords() const
{
    return std::any_of(m_computers.begin(), m_computers.end(),
                       [](const auto &c) { return !c.second.months.isEmpty(); });
}

void OtherComputers::rescanChanges()
{
    m_pause.stop();
    const auto changes = std::exchange(m_changes, {});
    bool all = std::exchange(m_changedAll, false) || m_missingSince;
    for (auto it = changes.begin(); !all && it != changes.end(); ++it) {
        const auto id = uuidFromText(QFileInfo(it.key()).fileName().toStdString());
        const auto c = id ? m_computers.find(*id) : m_computers.end();
        // A computer not seen before, or whose folder was gone or goes now, is read whole.
        if (c == m_computers.end() || c->second.goneSince || !QFileInfo(it.key()).isDir())
            all = true;
        else
            scan(c->second, it.key(), it->isEmpty() ? nullptr : &*it);
    }
    if (all)
        rescan();
    else
        finish();
    if (std::exchange(m_ownChanged, false))
        emit ownFolderChanged();
}

void OtherComputers::rescan()
{
    if (!m_folder.isEmpty()) {
        const QDir folder(m_folder);
        const bool there =
            folder.exists() && (!m_ownFolderMade || folder.exists(uuidText(m_ownId)));
        if (!there && !m_missingSince)
            m_missingSince = m_clock.now();
        if (there) {
            m_missingSince.reset();
            QSet<QUuid> found;
            for (const QString &name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                const auto id = uuidFromText(name.toStdString());
                if (!id || uuidText(*id) != name || *id == m_ownId)
                    continue;
                found.insert(*id);
                Computer &c = m_computers[*id];
                c.id = *id;
                scan(c, folder.filePath(name));
            }
            for (auto &[id, c] : m_computers)
                if (!found.contains(id) && !c.goneSince)
                    c.goneSince = m_clock.now();
        }
    }
    finish();
}

void OtherComputers::finish()
{
    watchFolders();
    if (!m_changedMonths.isEmpty()) {
        const QSet<QString> months = std::exchange(m_changedMonths, {});
        resum(months);
        Instant from = std::numeric_limits<double>::infinity();
        Instant to = -from;
        for (const QString &month : months) {
            const auto [start, end] = reachOf(month);
            from = std::min(from, start);
            to = std::max(to, end);
        }
        emit recordsChanged(from, to);
    }
    if (QStringList lines = problems(); lines != m_problems) {
        m_problems = std::move(lines);
        emit problemsChanged();
    }
}

void OtherComputers::scan(Computer &c, const QString &path, const QSet<QString> *only)
{
    c.goneSince.reset();
    if (c.name.isEmpty())
        c.name = uuidText(c.id).left(8);
    QFileInfoList files;
    if (only)
        for (const QString &name : *only)
            files.append(QFileInfo(QDir(path).filePath(name)));
    else
        files = QDir(path).entryInfoList(QDir::Files);
    // Of the files looked at, those that are there.
    QSet<QString> looked, present;
    bool changed = false;
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        const QString month = monthOfFileName(name);
        if (name != kDescriptionFile && month.isEmpty())
            continue; // a sync tool's temporary file, a conflict copy, anything else
        looked.insert(name);
        if (!file.exists())
            continue;
        present.insert(name);
        const Instant wrote = instantFromUnixMSecs(file.lastModified().toMSecsSinceEpoch());
        c.lastWrote = std::max(c.lastWrote.value_or(wrote), wrote);
        if (c.seen.value(name) == stamp(file))
            continue;
        c.seen.insert(name, stamp(file));
        if (name == kDescriptionFile)
            readDescription(c, file);
        else
            changed = readMonth(c, file, month) || changed;
    }
    const auto removed = [&](const QString &name) {
        return (!only || looked.contains(name)) && !present.contains(name);
    };
    // Months whose files the computer removed (its record was emptied) no longer count.
    for (auto it = c.months.begin(); it != c.months.end();) {
        if (!removed(monthFileName(it.key()))) {
            ++it;
            continue;
        }
        m_changedMonths.insert(it.key());
        it = c.months.erase(it);
        changed = true;
    }
    for (auto it = c.problems.begin(); it != c.problems.end();)
        it = removed(it.key()) ? c.problems.erase(it) : std::next(it);
    c.seen.removeIf([&](const auto &file) { return removed(file.key()); });
    if (!changed)
        return;
    RecordView::Index entries;
    for (const MonthRecord &month : std::as_const(c.months))
        for (const WorkEntry &e : month.entries)
            entries.push_back(&e);
    c.index = RecordView::indexByDate(std::move(entries));
}

void OtherComputers::readDescription(Computer &c, const QFileInfo &file)
{
    const SyncFile f = readSyncFile(file.filePath(), kLargestDescription);
    const auto description = decodeComputerDescription(f.bytes);
    if (f.state == SyncFile::State::tooLarge)
        c.problems.insert(kDescriptionFile, QStringLiteral("larger than 64 KiB; left alone"));
    else if (description && description->id == m_ownId)
        c.problems.insert(kDescriptionFile,
                          QStringLiteral("claims this computer's id; left alone"));
    else if (description && description->id != c.id)
        c.problems.insert(kDescriptionFile,
                          QStringLiteral("says it belongs to another computer; left alone"));
    else if (!description)
        c.problems.insert(kDescriptionFile, unreadableText(syncFormatOf(f.bytes), false));
    else {
        c.problems.remove(kDescriptionFile);
        c.name = description->name;
    }
}

bool OtherComputers::readMonth(Computer &c, const QFileInfo &file, const QString &month)
{
    const QString name = file.fileName();
    const SyncFile f = readSyncFile(file.filePath(), kLargestMonthFile);
    if (f.state == SyncFile::State::tooLarge) {
        c.problems.insert(name, QStringLiteral("larger than 4 MiB; left alone"));
        return false;
    }
    auto record = decodeMonthRecord(f.bytes);
    if (!record) {
        c.problems.insert(name, unreadableText(syncFormatOf(f.bytes), c.months.contains(month)));
        return false;
    }
    if (record->computer != c.id || record->month != month) {
        c.problems.insert(name, QStringLiteral("says it belongs to another computer or month; "
                                               "left alone"));
        return false;
    }
    c.problems.remove(name);
    if (c.months.value(month) == *record)
        return false;
    c.months.insert(month, std::move(*record));
    m_changedMonths.insert(month);
    return true;
}

void OtherComputers::resum(const QSet<QString> &months)
{
    for (const QString &month : months) {
        const QString prefix = month + u'-';
        auto begin = m_activity.lowerBound(prefix);
        while (begin != m_activity.end() && begin.key().startsWith(prefix))
            begin = m_activity.erase(begin);
        for (const auto &[id, c] : m_computers) {
            const auto it = c.months.constFind(month);
            if (it == c.months.cend())
                continue;
            for (auto day = it->activity.begin(); day != it->activity.end(); ++day)
                addActivity(m_activity[day.key()], day.value());
        }
    }
}

void OtherComputers::watchFolders()
{
    if (!m_watcher)
        return;
    QStringList folders;
    if (!m_folder.isEmpty()) {
        if (m_missingSince) {
            // The nearest folder that is there tells when the folder is made again; a mount
            // is told by the mount table.
            QDir up(m_folder);
            while (!up.exists() && up.cdUp()) {
            }
            folders << up.path();
            if (QDir(m_folder).exists())
                folders << m_folder;
        } else {
            const QDir folder(m_folder);
            folders << m_folder << folder.filePath(uuidText(m_ownId));
            for (const auto &[id, c] : m_computers)
                if (!c.goneSince)
                    folders << folder.filePath(uuidText(id));
        }
    }
    m_watcher->watch(folders);
}

QString OtherComputers::timeText(Instant t) const
{
    return QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(t)), m_calendar.zone())
        .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QStringList OtherComputers::problems() const
{
    QStringList lines;
    if (m_folder.isEmpty())
        return lines;
    if (m_missingSince)
        lines << QStringLiteral("%1 is not there (an unmounted share?); the other computers "
                                "count as last seen on %2")
                     .arg(m_folder, timeText(*m_missingSince));
    const QDir folder(m_folder);
    for (const auto &[id, c] : m_computers) {
        const QDir own(folder.filePath(uuidText(id)));
        if (c.goneSince && !m_missingSince)
            lines << QStringLiteral("%1 (%2): its folder is gone; it counts as last seen on %3")
                         .arg(c.name, own.path(), timeText(*c.goneSince));
        for (auto it = c.problems.begin(); it != c.problems.end(); ++it)
            lines << own.filePath(it.key()) + QStringLiteral(": ") + it.value();
    }
    return lines;
}
