// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <optional>

// "computer.json" in a computer's folder of the synced folder: who writes there.
struct ComputerDescription {
    QUuid id;
    QString name;
    QString machine; // machineStamp()

    friend bool operator==(const ComputerDescription &, const ComputerDescription &) = default;
};

inline const QString kDescriptionFile = QStringLiteral("computer.json");

// {"format": 1, "id": "UUID", "machine": "…", "name": "…"}
QByteArray encodeComputerDescription(const ComputerDescription &description);
// Strict: our format, an id, a name of 1 to 200 characters, a machine; other members are
// ignored.
std::optional<ComputerDescription> decodeComputerDescription(QByteArrayView json);
