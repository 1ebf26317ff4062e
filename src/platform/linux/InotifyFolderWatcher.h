// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FolderWatcher.h"

#include <QHash>
#include <QSocketNotifier>

#include <memory>

// inotify on each folder (files closed after writing, moved in or out, created, removed; the
// folder itself removed or unmounted), and the mount table, which the kernel marks when a file
// system is mounted or unmounted.
class InotifyFolderWatcher final : public FolderWatcher {
    Q_OBJECT
public:
    explicit InotifyFolderWatcher(QObject *parent = nullptr);
    ~InotifyFolderWatcher() override;

    void watch(const QStringList &folders) override;

private:
    void readEvents();

    int m_inotify = -1;
    int m_mounts = -1;
    std::unique_ptr<QSocketNotifier> m_inotifyNotifier;
    std::unique_ptr<QSocketNotifier> m_mountsNotifier;
    QHash<int, QString> m_folders; // by watch descriptor
};
