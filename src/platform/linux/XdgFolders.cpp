// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/XdgFolders.h"

#include <QDir>

namespace {

QString folder(const Process &process, const QString &variable, const QString &underHome)
{
    const QString value = process.environmentValue(variable).value_or(QString());
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    QString home = process.environmentValue(QStringLiteral("HOME")).value_or(QString());
    if (home.isEmpty())
        home = QDir::homePath();
    return QDir::cleanPath(home + QLatin1Char('/') + underHome);
}

} // namespace

QString xdgDataHome(const Process &process)
{
    return folder(process, QStringLiteral("XDG_DATA_HOME"), QStringLiteral(".local/share"));
}

QString xdgConfigHome(const Process &process)
{
    return folder(process, QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral(".config"));
}
