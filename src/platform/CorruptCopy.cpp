#include "CorruptCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString keepCorruptCopy(const QString &path, const QDateTime &when, int keep)
{
    const QFileInfo info(path);
    const QString prefix = info.fileName() + QStringLiteral(".corrupt-");
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = info.dir().filePath(prefix + stamp);
    // Two failures within one second must not overwrite each other.
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = info.dir().filePath(prefix + stamp + QLatin1Char('-') + QString::number(n));
    if (!QFile::rename(path, target))
        return {};

    // The stamps sort by time, so the oldest copies come first by name.
    QStringList copies = info.dir().entryList({prefix + QLatin1Char('*')}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + keep < copies.size(); ++i)
        QFile::remove(info.dir().filePath(copies[i]));
    return target;
}
