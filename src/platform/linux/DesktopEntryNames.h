// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Process.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The names users see for applications, from the .desktop files of the XDG data folders. A
// window's WM_CLASS is matched against each entry's StartupWMClass and file name.
class DesktopEntryNames {
public:
    // Folders in order of precedence; `language` as in "de_DE" picks localised names.
    DesktopEntryNames(QStringList applicationFolders, QString language);

    // $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS (default /usr/local/share,
    // /usr/share) followed by /applications.
    static QStringList applicationFolders(const Process &process);

    // The Name= of the entry for a window of that class and instance. The folders are read on
    // first use and again on a miss once a minute has passed, for applications installed since.
    std::optional<QString> nameFor(const QString &wmClass, const QString &wmInstance) const;
    int entryCount() const;

private:
    struct Entry {
        QString name;
        QString wmClass;
    };
    void scan() const;
    std::optional<QString> lookup(const QString &wmClass, const QString &wmInstance) const;

    QStringList m_folders;
    QString m_language;
    mutable bool m_scanned = false;
    mutable double m_scannedAt = 0;
    // By lower-cased file id (the file name without ".desktop").
    mutable QHash<QString, Entry> m_byId;
    mutable QHash<QString, QString> m_byWmClass;
};
