// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clock.h"
#include "OtherComputers.h"
#include "Process.h"
#include "SyncFolder.h"

#include <QDBusConnection>
#include <QJsonObject>
#include <QTextStream>

// The record across computers as `tockly sync --json` prints it:
//   {"folder", "id", "name", "computers": [{"id", "name", "lastWrote", "gone"}], "problems"}
// "folder" and "id" are null while syncing is off, "lastWrote" null for a computer whose files
// have no time yet; instants as seconds since 2001-01-01 UTC.
QJsonObject syncStatus(const SyncFolder &sync, const OtherComputers &others,
                       const QStringList &problems);

// `tockly sync [FOLDER | --off | --name NAME | --new-id] [--json]`: changes the setting, through
// the running Tockly when there is one, then prints the folder, this computer and the others
// seen there. Exit status 0, 1 when the change cannot be made, 2 for a usage error.
int runSync(const Process &process, const Clock &clock, QDBusConnection bus, QTextStream &out,
            QTextStream &err);

// `tockly doctor`'s lines about the synced folder (what the running Tockly has seen, or else
// what the folder shows now); none while syncing is off.
QStringList syncDoctorLines(const Process &process, const Clock &clock, QDBusConnection bus);
