// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <optional>

// The setting of the record across computers, kept in the settings under a key of our own.
struct SyncSetting {
    static inline const QString key = QStringLiteral("quenby.mac.sync.v1");

    QString folder; // empty: off
    QUuid id;       // made when first turned on, kept while off
    QString name;   // empty: the host name
    // This computer's folder was made in `folder`.
    bool published = false;

    friend bool operator==(const SyncSetting &, const SyncSetting &) = default;
};

// {"folder": "…", "id": "UUID", "name": "…", "published": true}; no folder while off, no name
// for the host name.
QByteArray encodeSyncSetting(const SyncSetting &setting);
std::optional<SyncSetting> decodeSyncSetting(QByteArrayView json);
