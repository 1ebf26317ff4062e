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
