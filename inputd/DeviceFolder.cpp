// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DeviceFolder.h"

#include "linux/EvdevInputSource.h"

#include <QDir>
#include <QTimer>

#include <libudev.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// udev sets a new node's group and then records the device; between the two it is retried.
constexpr int udevRetryMs = 100;
constexpr int udevRetries = 50;

} // namespace

DeviceFolder::DeviceFolder(QString path, QObject *parent) : QObject(parent), m_path(std::move(path))
{}

DeviceFolder::~DeviceFolder()
{
    if (m_inotify >= 0)
        close(m_inotify);
    if (m_udev)
        udev_unref(m_udev);
}

bool DeviceFolder::start(QString *why)
{
    m_udev = udev_new();
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0 ||
        inotify_add_watch(m_inotify, QFile::encodeName(m_path).constData(),
                          IN_CREATE | IN_ATTRIB | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
        *why = QStringLiteral("cannot watch %1: %2")
                   .arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &DeviceFolder::readChanges);
    scan();
    return true;
}

void DeviceFolder::readChanges()
{
    // A node that goes is forgotten at once, so that one made anew under its name (a device
    // unplugged and plugged back quickly) counts as new; what came is found by the scan.
    alignas(inotify_event) char buffer[4096];
    ssize_t n = 0;
    while ((n = read(m_inotify, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < n;) {
            const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + e->len);
            if (e->mask & IN_Q_OVERFLOW)
                forget({});
            else if (e->len > 0 && (e->mask & (IN_DELETE | IN_MOVED_FROM)))
                forget(QFile::decodeName(e->name));
        }
    }
    scan();
}

void DeviceFolder::forget(const QString &name)
{
    for (auto it = m_announced.begin(); it != m_announced.end();) {
        if (!name.isEmpty() && *it != name) {
            ++it;
            continue;
        }
        emit removed(QDir(m_path).filePath(*it));
        it = m_announced.erase(it);
    }
}

void DeviceFolder::scan()
{
    bool waiting = false;
    for (const QString &name :
         QDir(m_path).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (m_announced.count(name))
            continue;
        QString seat;
        int fd = -1;
        const Opened opened = open(name, &seat, &fd);
        if (opened == Opened::yes) {
            m_announced.insert(name);
            emit added(QDir(m_path).filePath(name), seat, fd);
        }
        waiting = waiting || opened == Opened::notYet;
    }
    m_udevRetries = waiting ? m_udevRetries + 1 : 0;
    if (waiting && m_udevRetries <= udevRetries)
        QTimer::singleShot(udevRetryMs, this, &DeviceFolder::scan);
}

DeviceFolder::Opened DeviceFolder::open(const QString &name, QString *seat, int *fd)
{
    const QByteArray path = QFile::encodeName(QDir(m_path).filePath(name));
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        return Opened::no;
    if (S_ISFIFO(st.st_mode)) {
        const QString prefix = name.section(u'-', 0, 0);
        const bool named = prefix != name && prefix.startsWith(QLatin1String("seat"));
        *seat = named ? prefix : QStringLiteral("seat0");
        *fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        return *fd >= 0 ? Opened::yes : Opened::no;
    }
    if (!S_ISCHR(st.st_mode) || !name.startsWith(QLatin1String("event")))
        return Opened::no;
    udev_device *d = m_udev ? udev_device_new_from_devnum(m_udev, 'c', st.st_rdev) : nullptr;
    const bool recorded = d && udev_device_get_is_initialized(d);
    const char *id = recorded ? udev_device_get_property_value(d, "ID_SEAT") : nullptr;
    *seat = id && *id ? QString::fromUtf8(id) : QStringLiteral("seat0");
    if (d)
        udev_device_unref(d);
    // Without udev running (a container, a minimal system) there is nothing to wait for.
    if (!recorded && QFile::exists(QStringLiteral("/run/udev/control")))
        return Opened::notYet;
    return EvdevInputSource::openCountedDevice(QFile::decodeName(path), fd) ? Opened::yes
                                                                            : Opened::no;
}
