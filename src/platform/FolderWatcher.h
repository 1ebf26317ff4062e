// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

// Tells when folders may have changed: a file in one of them written, created, renamed or
// removed, or the folder itself removed or unmounted; and when the system's mounts changed, which
// may bring a missing folder back. It never polls: nothing happens while nothing changes.
class FolderWatcher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Replaces the watched folders; those that do not exist are left out.
    virtual void watch(const QStringList &folders) = 0;

signals:
    // `name`: the file in the folder that changed; empty when the folder itself did (removed,
    // unmounted) or when the system could not say.
    void changed(const QString &folder, const QString &name);
    // The system's mounts changed, or it lost count of changes: anything may have changed.
    void mountsChanged();
};
