// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// This system's machine id: D-Bus's copy as Qt reads it, else systemd's /etc/machine-id, which
// is all that some systems have (a Debian 13 install without the D-Bus copy); empty when neither.
QByteArray systemMachineId();
