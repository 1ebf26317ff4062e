// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AtomicFile.h"
#include "Process.h"

#include <QByteArray>
#include <QString>

// The folder of the data files: the path in $QUENBY_DATA_DIR when the variable is set, else the
// platform's per-user application-support folder; in either case its sub-folder "Quenby".
QString dataFolderPath(const Process &process, const QString &applicationSupportFolder);
