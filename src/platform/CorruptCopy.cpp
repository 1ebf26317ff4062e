// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CorruptCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// A copy's name after the prefix is "yyyyMMdd-HHmmss", then "-N" for the N+1st failure within
// that second. Ordered by time, then by N.
struct CopyName {
    QString name;
    QString stamp;
    int serial = 0;
};

CopyName parse(const QString &name, qsizetype prefixLength)
{
    const QString rest = name.mid(prefixLength);
    return {name, rest.left(15), rest.size() > 16 ? rest.mid(16).toInt() : 0};
}

} // namespace

QString keepCorruptCopy(const QString &path, const QDateTime &when, int keep)
{
    const QFileInfo info(path);
    const QDir dir = info.dir();
    const QString prefix = info.fileName() + QStringLiteral(".corrupt-");
    std::vector<CopyName> copies;
    for (const QString &name : dir.entryList({prefix + QLatin1Char('*')}, QDir::Files))
        copies.push_back(parse(name, prefix.size()));

    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    int serial = -1;
    for (const CopyName &c : copies) {
        if (c.stamp == stamp)
            serial = std::max(serial, c.serial);
    }
    ++serial;
    const QString name = prefix + stamp + (serial ? QStringLiteral("-%1").arg(serial) : QString());
    if (!QFile::rename(path, dir.filePath(name)))
        return {};
    copies.push_back(parse(name, prefix.size()));

    std::sort(copies.begin(), copies.end(), [](const CopyName &a, const CopyName &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.serial < b.serial;
    });
    for (size_t i = 0; i + size_t(keep) < copies.size(); ++i)
        QFile::remove(dir.filePath(copies[i].name));
    return dir.filePath(name);
}
