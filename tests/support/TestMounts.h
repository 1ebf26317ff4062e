// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QString>

#include <sched.h>
#include <sys/mount.h>

// Real file-system failures for tests that run as root, which ignores permission bits: a small
// tmpfs that fills up, a mount turned read-only, a folder bound over another. All of it happens
// in a mount namespace of the test process alone (children started later share it).
namespace TestMounts {

// Once, before the test starts threads or children.
inline bool enterPrivateNamespace()
{
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

inline bool mountTmpfs(const QString &path, qint64 bytes)
{
    const QByteArray options = "size=" + QByteArray::number(bytes);
    return ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) ==
           0;
}

// Input devices readable here would be counted instead of the test's own input: an empty folder
// over them. Enters the private namespace first.
inline bool hideInputDevices()
{
    return enterPrivateNamespace() && (!QFile::exists(QStringLiteral("/dev/input")) ||
                                       mountTmpfs(QStringLiteral("/dev/input"), 4096));
}

inline bool bind(const QString &from, const QString &onto)
{
    return ::mount(QFile::encodeName(from).constData(), QFile::encodeName(onto).constData(),
                   nullptr, MS_BIND, nullptr) == 0;
}

// A read-only mount of the folder over itself, which unmount() lifts again. Files open for
// writing stay writable (a running program's lock file), where they would stop a plain remount.
inline bool makeReadOnly(const QString &folder)
{
    return bind(folder, folder) && ::mount(nullptr, QFile::encodeName(folder).constData(), nullptr,
                                           MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// The topmost mount on that path.
inline bool unmount(const QString &mountPoint)
{
    return ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH) == 0;
}

// Writes `file` until the file system holding it has no byte left (tmpfs hands out whole pages,
// so a short or failed page write means nothing is left).
inline bool fillUp(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray page(4096, 'x');
    while (f.write(page) == page.size()) {
    }
    return true;
}

} // namespace TestMounts
