// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/InotifyFolderWatcher.h"

#include <QFile>
#include <QSet>

#include <algorithm>

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr uint32_t kMask = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE |
                           IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

InotifyFolderWatcher::InotifyFolderWatcher(QObject *parent) : FolderWatcher(parent)
{
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify >= 0) {
        m_inotifyNotifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
        connect(m_inotifyNotifier.get(), &QSocketNotifier::activated, this,
                &InotifyFolderWatcher::readEvents);
    }
    // Polling the mount table reports a change as a priority event, once per change.
    m_mounts = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (m_mounts >= 0) {
        m_mountsNotifier = std::make_unique<QSocketNotifier>(m_mounts, QSocketNotifier::Exception);
        connect(m_mountsNotifier.get(), &QSocketNotifier::activated, this,
                &InotifyFolderWatcher::mountsChanged);
        // Nothing is watched yet: a mount elsewhere wakes nobody.
        m_mountsNotifier->setEnabled(false);
    }
}

InotifyFolderWatcher::~InotifyFolderWatcher()
{
    m_inotifyNotifier.reset();
    m_mountsNotifier.reset();
    if (m_inotify >= 0)
        ::close(m_inotify);
    if (m_mounts >= 0)
        ::close(m_mounts);
}

void InotifyFolderWatcher::watch(const QStringList &folders)
{
    if (m_mountsNotifier)
        m_mountsNotifier->setEnabled(!folders.isEmpty());
    if (m_inotify < 0)
        return;
    const QSet<QString> wanted(folders.begin(), folders.end());
    for (auto it = m_folders.begin(); it != m_folders.end();) {
        if (wanted.contains(it.value())) {
            ++it;
            continue;
        }
        ::inotify_rm_watch(m_inotify, it.key());
        it = m_folders.erase(it);
    }
    for (const QString &folder : wanted) {
        if (std::find(m_folders.cbegin(), m_folders.cend(), folder) != m_folders.cend())
            continue;
        const int wd = ::inotify_add_watch(m_inotify, QFile::encodeName(folder).constData(), kMask);
        if (wd >= 0)
            m_folders.insert(wd, folder);
    }
}

void InotifyFolderWatcher::readEvents()
{
    alignas(inotify_event) char buffer[16384];
    QSet<QPair<QString, QString>> changed;
    bool overflow = false;
    for (;;) {
        const ssize_t n = ::read(m_inotify, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            overflow = overflow || (event->mask & IN_Q_OVERFLOW);
            const auto folder = m_folders.constFind(event->wd);
            if (folder == m_folders.cend())
                continue;
            changed.insert({*folder, event->len ? QFile::decodeName(event->name) : QString()});
            // The folder was removed or its file system unmounted: the kernel dropped the watch.
            if (event->mask & IN_IGNORED)
                m_folders.erase(folder);
        }
    }
    for (const auto &[folder, name] : changed)
        emit this->changed(folder, name);
    // Events were lost: anything may have changed.
    if (overflow)
        emit mountsChanged();
}
