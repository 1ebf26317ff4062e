#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <linux/input.h>
#include <vector>

// The recorded evdev streams in tests/platform/data, as the decoder and the device readers get
// them.
struct Recorded {
    input_event event;
    double at;
};

// Reads the "E:" lines of an evemu-record file: seconds, type and code in hex, value.
inline std::vector<Recorded> recording(const QString &name)
{
    QFile f(QStringLiteral(TOCKLY_EVDEV_RECORDINGS "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing recording %s", qPrintable(name));
    std::vector<Recorded> out;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (!line.startsWith("E:"))
            continue;
        const QList<QByteArray> p = line.mid(2).simplified().split(' ');
        input_event e{};
        e.type = quint16(p.value(1).toUInt(nullptr, 16));
        e.code = quint16(p.value(2).toUInt(nullptr, 16));
        e.value = p.value(3).toInt();
        out.push_back({e, p.value(0).toDouble()});
    }
    return out;
}

// The records as a device's reader gets them.
inline QByteArray bytes(const std::vector<Recorded> &events)
{
    QByteArray out;
    for (const Recorded &r : events)
        out.append(reinterpret_cast<const char *>(&r.event), sizeof(input_event));
    return out;
}
