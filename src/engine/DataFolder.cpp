#include "DataFolder.h"

#include <QDir>
#include <QSaveFile>

QString dataFolderPath(const Process &process, const QString &applicationSupportFolder)
{
    const auto overridden = process.environmentValue(QStringLiteral("QUENBY_DATA_DIR"));
    return QDir(overridden.value_or(applicationSupportFolder)).filePath(QStringLiteral("Quenby"));
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
