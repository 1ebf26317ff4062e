// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>
#include <set>

struct udev;

// The keyboards and pointers in a folder (/dev/input), followed with inotify as they come and go.
// Device nodes are announced once this process can open them (udev gives them their group just
// after the kernel makes them) and udev has recorded their seat. Named pipes stand for devices
// too, replaying recorded event streams: their seat is their name up to the first '-' when that
// begins with "seat", else seat0. Nothing is polled: without a change in the folder it sleeps.
//
// The folder is watched rather than udev's netlink messages so that the service can run without
// any network namespace of the host's: udev's messages do not reach a private one.
class DeviceFolder final : public QObject {
    Q_OBJECT
public:
    explicit DeviceFolder(QString path, QObject *parent = nullptr);
    ~DeviceFolder() override;

    // Announces what is there now, then follows. False, with the reason, when the folder cannot
    // be watched.
    bool start(QString *why);

signals:
    // `fd` is the device opened read-only and non-blocking; the receiver owns it.
    void added(const QString &node, const QString &seat, int fd);
    void removed(const QString &node);

private:
    void readChanges();
    // Announces the removal of that node, or of every one (an empty name).
    void forget(const QString &name);
    void scan();
    enum class Opened { yes, no, notYet };
    // Opens a new node with its seat; notYet while udev has not recorded it.
    Opened open(const QString &name, QString *seat, int *fd);

    QString m_path;
    int m_inotify = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    udev *m_udev = nullptr;
    std::set<QString> m_announced;
    // Scans made in a row while waiting for udev to record a new node.
    int m_udevRetries = 0;
};
