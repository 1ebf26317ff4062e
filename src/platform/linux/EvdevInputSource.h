// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"
#include "linux/EvdevDecoder.h"
#include "linux/InputTally.h"

#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <array>
#include <map>
#include <memory>

struct udev;
struct udev_monitor;

// Counts input from the keyboards and pointers in /dev/input, which the user may read as a member
// of the `input` group. Devices are found through udev and followed as they come and go; each is
// read on the main loop whenever it has events, and only counts and times are kept.
class EvdevInputSource final : public QObject, public InputSource {
    Q_OBJECT
public:
    explicit EvdevInputSource(QObject *parent = nullptr);
    ~EvdevInputSource() override;

    // Opens every readable keyboard and pointer and watches for new ones. False, with the reason,
    // when udev cannot be used.
    bool start(QString *why = nullptr);

    // Reads a device from an open, non-blocking descriptor, which it then owns. Also how tests
    // hand in recorded streams through pipes.
    void addDevice(const QString &node, int fd);
    void removeDevice(const QString &node);
    int deviceCount() const { return int(m_devices.size()); }

    // Whether the node is a keyboard or pointer that this user can open; `fd` receives it opened.
    static bool openCountedDevice(const QString &node, int *fd);

    double secondsSinceLastEvent(InputEvent type) const override;
    quint32 eventCounter(InputEvent type) const override { return m_tally.counter(type); }

private:
    struct Device {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        std::unique_ptr<EvdevDecoder> decoder;
        std::array<char, sizeof(input_event)> carry{};
        size_t carried = 0;
    };

    void readDevice(const QString &node);
    void readMonitor();

    InputTally m_tally;
    // Inputs from before the start are unknown; the time since boot stands in for them.
    double m_origin = 0;
    std::map<QString, Device> m_devices;
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_monitorNotifier;
};
