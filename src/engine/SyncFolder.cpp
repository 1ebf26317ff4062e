// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SyncFolder.h"

#include "AtomicFile.h"
#include "ComputerDescription.h"
#include "MonthRecord.h"
#include "SyncFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

std::optional<DayInterval> monthInterval(const Calendar &calendar, const QString &month)
{
    const QDate first = dateFromDayKey(QString(month + QStringLiteral("-01")));
    if (!first.isValid())
        return std::nullopt;
    return calendar.monthInterval(calendar.startOfDay(first));
}

QPair<qint64, qint64> stamp(const QFileInfo &file)
{
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

bool isOurFile(const QString &name)
{
    return name == kDescriptionFile || !monthOfFileName(name).isEmpty();
}

QByteArray contentOf(const QString &path, qint64 largest)
{
    return readSyncFile(path, largest).bytes;
}

} // namespace

SyncFolder::SyncFolder(const Services &s)
    : m_settings(s.settings), m_calendar(s.calendar), m_machineId(s.machineId),
      m_hostName(s.hostName)
{
    const auto stored = m_settings.dataValue(settingKey);
    if (const auto setting = stored ? decodeSyncSetting(*stored) : std::nullopt)
        m_setting = *setting;
}

QString SyncFolder::computerName() const
{
    if (!m_setting.name.isEmpty())
        return m_setting.name;
    // A description needs a name, and a system may have no host name.
    return m_hostName.isEmpty() ? uuidText(m_setting.id).left(8) : m_hostName.left(200);
}

QString SyncFolder::ownFolder() const
{
    return isOn() ? QDir(m_setting.folder).filePath(uuidText(m_setting.id)) : QString();
}

QString SyncFolder::machine() const
{
    return machineStamp(m_machineId, m_setting.id);
}

QStringList SyncFolder::problems() const
{
    QStringList lines;
    if (!isOn())
        return lines;
    switch (m_state) {
    case State::ok:
        break;
    case State::folderMissing:
        lines << QStringLiteral("%1 is not there (an unmounted share?); this computer's record "
                                "goes there once it is back")
                     .arg(m_setting.folder);
        break;
    case State::ownFolderMissing:
        lines << QStringLiteral("%1, this computer's folder, is not there (an unmounted share, "
                                "or removed); its record goes there once it is back, or once "
                                "the folder is chosen again")
                     .arg(ownFolder());
        break;
    case State::clash:
        lines << QStringLiteral("%1: another computer (%2) writes there as this one, from a "
                                "copied home folder perhaps; this one writes nothing there. Run "
                                "\"tockly sync --new-id\" on one of the two, or choose the "
                                "folder again on a computer that takes over from the other")
                     .arg(ownFolder(), m_clashName);
        break;
    }
    for (auto it = m_writeFailures.begin(); it != m_writeFailures.end(); ++it)
        lines << QStringLiteral("%1: %2; tried again at the next save")
                     .arg(QDir(ownFolder()).filePath(it.key()), it.value());
    return lines;
}

void SyncFolder::saveSetting()
{
    m_settings.setValue(settingKey, encodeSyncSetting(m_setting));
}

void SyncFolder::setState(State state, const QString &detail)
{
    if (state == m_state && detail == m_clashName)
        return;
    m_state = state;
    m_clashName = detail;
    emit problemsChanged();
}

QString SyncFolder::setFolder(const QString &folder, const Record &record)
{
    if (folder.isEmpty()) {
        if (!isOn())
            return {};
        m_setting.folder.clear();
        m_writeFailures.clear();
        setState(State::ok);
        saveSetting();
        emit settingChanged();
        return {};
    }
    const QFileInfo info(folder);
    if (!info.isAbsolute())
        return QStringLiteral("%1: the folder must be given as an absolute path").arg(folder);
    if (!info.isDir())
        return QStringLiteral("%1 is not a folder").arg(folder);
    if (!info.isWritable())
        return QStringLiteral("%1 cannot be written").arg(folder);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    if (m_setting.id.isNull())
        m_setting.id = QUuid::createUuid();
    if (path != m_setting.folder)
        m_setting.published = false;
    m_setting.folder = path;
    m_started = true;
    m_writeFailures.clear();
    m_state = State::ok;
    m_clashName.clear();
    m_writeAll = true;
    remember(record);
    if (prepare(true))
        writeAll(record);
    saveSetting();
    emit settingChanged();
    emit problemsChanged();
    return {};
}

void SyncFolder::setName(const QString &name, const Record &record)
{
    m_setting.name = name.trimmed().left(200);
    saveSetting();
    emit settingChanged();
    m_writeAll = true;
    if (m_started && isOn() && prepare(false))
        writeAll(record);
}

void SyncFolder::makeNewId(const Record &record)
{
    m_setting.id = QUuid::createUuid();
    m_setting.published = false;
    m_writeFailures.clear();
    m_state = State::ok;
    m_clashName.clear();
    m_writeAll = true;
    m_snapshot.clear();
    remember(record);
    if (isOn() && prepare(true))
        writeAll(record);
    saveSetting();
    emit settingChanged();
    emit problemsChanged();
}

void SyncFolder::start(const Record &record)
{
    m_started = true;
    if (!isOn())
        return;
    remember(record);
    m_writeAll = true;
    if (prepare(false))
        writeAll(record);
}

void SyncFolder::publish(const Record &record)
{
    if (!isOn() || !m_started)
        return;
    noteChanges(record);
    remember(record);
    if (m_state != State::ok || !QFileInfo(ownFolder()).isDir()) {
        retry(record);
        return;
    }
    if (m_writeAll) {
        if (prepare(false))
            writeAll(record);
        return;
    }
    const QSet<QString> months = std::exchange(m_dirty, {});
    for (const QString &month : months)
        if (!writeMonth(month, record))
            m_dirty.insert(month);
}

void SyncFolder::retry(const Record &record)
{
    if (!isOn() || !m_started || m_state == State::clash)
        return;
    // Only for a folder that was not there: failed writes wait for the next save, so that a
    // full disk is not tried again at each change in the folder.
    if (m_state == State::ok && QFileInfo(ownFolder()).isDir())
        return;
    m_writeAll = true;
    if (prepare(false))
        writeAll(record);
}

SyncFolder::State SyncFolder::assess(bool takeOver, QString *writer) const
{
    if (!QFileInfo(m_setting.folder).isDir())
        return State::folderMissing;
    const QDir own(ownFolder());
    if (!own.exists())
        return m_setting.published && !takeOver ? State::ownFolderMissing : State::ok;
    if (takeOver)
        return State::ok;
    const QByteArray description = contentOf(own.filePath(kDescriptionFile), kLargestDescription);
    const QString stamp = machineOf(description);
    if (stamp.isEmpty() || stamp == machine())
        return State::ok;
    const auto other = decodeComputerDescription(description);
    *writer = other ? other->name : QStringLiteral("unknown");
    return State::clash;
}

void SyncFolder::check()
{
    if (!isOn() || m_state == State::clash)
        return;
    QString writer;
    const State state = assess(false, &writer);
    setState(state, writer);
}

bool SyncFolder::prepare(bool takeOver)
{
    if (!isOn() || (m_state == State::clash && !takeOver))
        return false;
    QString writer;
    const State state = assess(takeOver, &writer);
    if (state != State::ok) {
        setState(state, writer);
        return false;
    }
    const QString own = ownFolder();
    // Never its parents: the synced folder is the user's.
    if (!QFileInfo(own).isDir() && !QDir().mkdir(own)) {
        m_writeFailures.insert(QString(), QStringLiteral("cannot be made"));
        emit problemsChanged();
        return false;
    }
    if (m_writeFailures.remove(QString()))
        emit problemsChanged();
    if (!m_setting.published) {
        m_setting.published = true;
        saveSetting();
    }
    setState(State::ok);
    return true;
}

void SyncFolder::writeAll(const Record &record)
{
    const QDir own(ownFolder());
    const QStringList months = monthsOf(record);
    m_dirty.clear();
    for (const QString &month : months)
        if (!writeMonth(month, record))
            m_dirty.insert(month);
    for (const QString &name : own.entryList(QDir::Files)) {
        const QString month = monthOfFileName(name);
        if (!month.isEmpty() && !months.contains(month))
            QFile::remove(own.filePath(name));
    }
    const QByteArray description =
        encodeComputerDescription({m_setting.id, computerName(), machine()});
    if (contentOf(own.filePath(kDescriptionFile), kLargestDescription) != description)
        writeFile(kDescriptionFile, description);
    m_writeAll = !m_dirty.isEmpty();
    snapshot();
}

bool SyncFolder::writeMonth(const QString &month, const Record &record)
{
    const auto interval = monthInterval(m_calendar, month);
    if (!interval)
        return true;
    MonthRecord r{m_setting.id, machine(), month, {}, {}};
    for (const RecordView::Index *index : {&record.index->inOrder, &record.index->stragglers}) {
        const auto [first, last] = RecordView::range(*index, *interval);
        std::for_each(first, last, [&](const WorkEntry *e) { r.entries.append(*e); });
    }
    std::stable_sort(r.entries.begin(), r.entries.end(),
                     [](const WorkEntry &a, const WorkEntry &b) { return a.date < b.date; });
    const QString prefix = month + u'-';
    for (auto it = record.activity.lowerBound(prefix);
         it != record.activity.end() && it.key().startsWith(prefix); ++it)
        r.activity.insert(it.key(), it.value());

    const QString name = monthFileName(month);
    const QString path = QDir(ownFolder()).filePath(name);
    if (r.entries.isEmpty() && r.activity.isEmpty())
        return !QFileInfo::exists(path) || QFile::remove(path);
    const QByteArray bytes = encodeMonthRecord(r);
    if (contentOf(path, kLargestMonthFile) == bytes)
        return true;
    return writeFile(name, bytes);
}

bool SyncFolder::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(ownFolder()).filePath(name);
    const bool written = writeFileAtomically(path, bytes);
    const bool hadFailure = m_writeFailures.contains(name);
    if (written) {
        m_snapshot.insert(name, stamp(QFileInfo(path)));
        m_writeFailures.remove(name);
    } else {
        m_writeFailures.insert(name, QStringLiteral("cannot be written"));
    }
    if (hadFailure == written)
        emit problemsChanged();
    return written;
}

void SyncFolder::noteChanges(const Record &record)
{
    const auto &entries = record.entries;
    const auto count = qsizetype(entries.size());
    const bool appended = count >= m_publishedCount &&
                          (m_publishedCount == 0 || entries[size_t(m_publishedCount - 1)] ==
                                                        m_publishedLast.value_or(WorkEntry{}));
    if (!appended) {
        m_writeAll = true;
        return;
    }
    for (qsizetype i = m_publishedCount; i < count; ++i)
        m_dirty.insert(monthOfDayKey(m_calendar.dayKey(entries[size_t(i)].date)));
    // Both maps are ordered by day key: one walk finds the days that differ.
    const ActivityByDay &now = record.activity;
    auto a = m_publishedActivity.cbegin();
    auto b = now.cbegin();
    while (a != m_publishedActivity.cend() || b != now.cend()) {
        if (b == now.cend() || (a != m_publishedActivity.cend() && a.key() < b.key())) {
            m_dirty.insert(monthOfDayKey(a.key()));
            ++a;
        } else if (a == m_publishedActivity.cend() || b.key() < a.key()) {
            m_dirty.insert(monthOfDayKey(b.key()));
            ++b;
        } else {
            if (a.value() != b.value())
                m_dirty.insert(monthOfDayKey(b.key()));
            ++a;
            ++b;
        }
    }
}

void SyncFolder::remember(const Record &record)
{
    m_publishedCount = qsizetype(record.entries.size());
    m_publishedLast = record.entries.empty() ? std::nullopt : std::optional(record.entries.back());
    m_publishedActivity = record.activity;
}

void SyncFolder::snapshot()
{
    m_snapshot.clear();
    for (const QFileInfo &file : QDir(ownFolder()).entryInfoList(QDir::Files))
        if (isOurFile(file.fileName()))
            m_snapshot.insert(file.fileName(), stamp(file));
}

void SyncFolder::checkOwnFolder()
{
    if (!isOn() || m_state == State::clash || !m_setting.published)
        return;
    const QDir own(ownFolder());
    if (!own.exists()) {
        if (m_state == State::ok) {
            m_writeAll = true;
            setState(State::ownFolderMissing);
        }
        return;
    }
    for (const QFileInfo &file : own.entryInfoList(QDir::Files)) {
        const QString name = file.fileName();
        const auto seen = m_snapshot.constFind(name);
        if (!isOurFile(name) || (seen != m_snapshot.cend() && *seen == stamp(file)))
            continue;
        const bool description = name == kDescriptionFile;
        const QByteArray bytes =
            contentOf(file.filePath(), description ? kLargestDescription : kLargestMonthFile);
        const QString writer = machineOf(bytes);
        if (!writer.isEmpty() && writer != machine()) {
            const auto other = decodeComputerDescription(
                contentOf(own.filePath(kDescriptionFile), kLargestDescription));
            setState(State::clash,
                     other && other->machine == writer ? other->name : QStringLiteral("unknown"));
            return;
        }
        m_snapshot.insert(name, stamp(file));
    }
}

QStringList SyncFolder::monthsOf(const Record &record) const
{
    QSet<QString> months;
    const auto &inOrder = record.index->inOrder;
    // One calendar lookup per month rather than one per entry.
    for (auto it = inOrder.begin(); it != inOrder.end();) {
        const auto interval = m_calendar.monthInterval((*it)->date);
        months.insert(monthOfDayKey(m_calendar.dayKey((*it)->date)));
        if (!interval) {
            ++it;
            continue;
        }
        it = std::partition_point(it, inOrder.end(),
                                  [&](const WorkEntry *e) { return e->date < interval->end; });
    }
    for (const WorkEntry *e : record.index->stragglers)
        months.insert(monthOfDayKey(m_calendar.dayKey(e->date)));
    for (auto it = record.activity.begin(); it != record.activity.end(); ++it)
        if (dateFromDayKey(it.key()).isValid())
            months.insert(monthOfDayKey(it.key()));
    QStringList list(months.begin(), months.end());
    list.sort();
    return list;
}
