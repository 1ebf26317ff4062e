// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DataFolder.h"

#include <QDir>

QString dataFolderPath(const Process &process, const QString &applicationSupportFolder)
{
    const auto overridden = process.environmentValue(QStringLiteral("QUENBY_DATA_DIR"));
    return QDir(overridden.value_or(applicationSupportFolder)).filePath(QStringLiteral("Quenby"));
}
