// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/MachineId.h"

#include <QFile>
#include <QSysInfo>

QByteArray systemMachineId()
{
    QByteArray id = QSysInfo::machineUniqueId();
    if (id.isEmpty()) {
        QFile file(QStringLiteral("/etc/machine-id"));
        if (file.open(QIODevice::ReadOnly))
            id = file.read(64).trimmed();
    }
    return id;
}
