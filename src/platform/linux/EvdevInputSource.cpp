// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/EvdevInputSource.h"

#include <libevdev/libevdev.h>
#include <libudev.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool isKeyboardOrPointer(libevdev *dev)
{
    const bool keyboard = libevdev_has_event_code(dev, EV_KEY, KEY_A) &&
                          libevdev_has_event_code(dev, EV_KEY, KEY_SPACE);
    const bool mouse = libevdev_has_event_code(dev, EV_REL, REL_X) ||
                       libevdev_has_event_code(dev, EV_KEY, BTN_LEFT) ||
                       libevdev_has_event_code(dev, EV_REL, REL_WHEEL);
    const bool touch = libevdev_has_event_code(dev, EV_ABS, ABS_X) &&
                       libevdev_has_event_code(dev, EV_KEY, BTN_TOUCH);
    return keyboard || mouse || touch;
}

} // namespace

EvdevInputSource::EvdevInputSource(QObject *parent) : QObject(parent) {}

EvdevInputSource::~EvdevInputSource()
{
    for (auto &[node, device] : m_devices)
        close(device.fd);
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

bool EvdevInputSource::openCountedDevice(const QString &node, int *fd)
{
    const int f = open(node.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (f < 0)
        return false;
    libevdev *dev = nullptr;
    const bool wanted = libevdev_new_from_fd(f, &dev) == 0 && isKeyboardOrPointer(dev);
    if (dev)
        libevdev_free(dev);
    if (!wanted) {
        close(f);
        return false;
    }
    *fd = f;
    return true;
}

bool EvdevInputSource::start(QString *why)
{
    // Inputs of the last seconds before the start were not seen: counting from boot makes the
    // first tick find the user idle rather than invent activity.
    m_origin = 0;
    m_udev = udev_new();
    if (!m_udev) {
        if (why)
            *why = QStringLiteral("udev is not available");
        return false;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor &&
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "input", nullptr) == 0 &&
        udev_monitor_enable_receiving(m_monitor) == 0) {
        m_monitorNotifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor),
                                                              QSocketNotifier::Read);
        connect(m_monitorNotifier.get(), &QSocketNotifier::activated, this,
                &EvdevInputSource::readMonitor);
    }

    udev_enumerate *e = udev_enumerate_new(m_udev);
    udev_enumerate_add_match_subsystem(e, "input");
    udev_enumerate_scan_devices(e);
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e))
    {
        udev_device *d = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
        if (!d)
            continue;
        const char *node = udev_device_get_devnode(d);
        int fd = -1;
        if (node && std::strncmp(udev_device_get_sysname(d), "event", 5) == 0 &&
            openCountedDevice(QString::fromLocal8Bit(node), &fd))
            addDevice(QString::fromLocal8Bit(node), fd);
        udev_device_unref(d);
    }
    udev_enumerate_unref(e);
    return true;
}

void EvdevInputSource::addDevice(const QString &node, int fd)
{
    removeDevice(node);
    Device &device = m_devices[node];
    device.fd = fd;
    device.decoder = std::make_unique<EvdevDecoder>(m_tally);
    device.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(device.notifier.get(), &QSocketNotifier::activated, this,
            [this, node] { readDevice(node); });
}

void EvdevInputSource::removeDevice(const QString &node)
{
    auto it = m_devices.find(node);
    if (it == m_devices.end())
        return;
    // The notifier may be the one whose signal is running now.
    it->second.notifier->setEnabled(false);
    it->second.notifier.release()->deleteLater();
    close(it->second.fd);
    m_devices.erase(it);
}

void EvdevInputSource::readDevice(const QString &node)
{
    auto it = m_devices.find(node);
    if (it == m_devices.end())
        return;
    Device &device = it->second;
    constexpr size_t recordSize = sizeof(input_event);
    char buffer[65 * recordSize];
    // A flood is read a slice at a time, so that the loop's other work still gets its turn;
    // the notifier fires again for the rest.
    for (int reads = 0; reads < 64; ++reads) {
        // A record cut short by the last read goes first.
        std::memcpy(buffer, device.carry.data(), device.carried);
        const ssize_t n = read(device.fd, buffer + device.carried, sizeof buffer - device.carried);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        if (n <= 0) {
            // Unplugged (ENODEV) or the writer went away: forget the device, keep its counts.
            removeDevice(node);
            return;
        }
        const double at = bootSeconds();
        const size_t total = device.carried + size_t(n);
        size_t used = 0;
        for (; used + recordSize <= total; used += recordSize) {
            input_event event;
            std::memcpy(&event, buffer + used, recordSize);
            device.decoder->feed(event, at);
        }
        device.carried = total - used;
        std::memcpy(device.carry.data(), buffer + used, device.carried);
    }
}

void EvdevInputSource::readMonitor()
{
    while (udev_device *d = udev_monitor_receive_device(m_monitor)) {
        const char *action = udev_device_get_action(d);
        const char *node = udev_device_get_devnode(d);
        const char *sysname = udev_device_get_sysname(d);
        if (action && node && sysname && std::strncmp(sysname, "event", 5) == 0) {
            const QString path = QString::fromLocal8Bit(node);
            int fd = -1;
            if (std::strcmp(action, "remove") == 0)
                removeDevice(path);
            else if (std::strcmp(action, "add") == 0 && openCountedDevice(path, &fd))
                addDevice(path, fd);
        }
        udev_device_unref(d);
    }
}

double EvdevInputSource::secondsSinceLastEvent(InputEvent type) const
{
    return m_tally.secondsSince(type, bootSeconds(), m_origin);
}
