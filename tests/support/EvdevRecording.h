// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <cstdio>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// The recorded evdev streams in tests/platform/data, as the decoder and the device readers get
// them, made-up streams beside them, and named pipes that play them as devices.
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

// One record, as a device's reader gets it.
inline QByteArray evdevRecord(int type, int code, int value)
{
    input_event e{};
    e.type = quint16(type);
    e.code = quint16(code);
    e.value = value;
    return QByteArray(reinterpret_cast<const char *>(&e), sizeof e);
}

// The key presses of lower-case letters and spaces, as a keyboard reports them. The letters'
// codes run from KEY_Q along the rows, with other keys in the gaps.
inline QByteArray typed(const QByteArray &text)
{
    static const QByteArray rows = "qwertyuiop____asdfghjkl_____zxcvbnm";
    QByteArray out;
    for (const char c : text) {
        const int code = c == ' ' ? KEY_SPACE : KEY_Q + int(rows.indexOf(c));
        for (int value : {1, 0})
            out += evdevRecord(EV_KEY, code, value) + evdevRecord(EV_SYN, SYN_REPORT, 0);
    }
    return out;
}

// A device in a folder of device nodes: a named pipe that its owner writes into, put in place
// whole as a device node appears (made under a hidden name, then renamed).
class EvdevPipe {
public:
    EvdevPipe(const QString &folder, const QString &name)
        : m_path(QFile::encodeName(folder + u'/' + name))
    {
        const QByteArray hidden = QFile::encodeName(folder + QStringLiteral("/.") + name);
        if (mkfifo(hidden, 0600) != 0 || (m_fd = open(hidden, O_RDWR | O_CLOEXEC)) < 0 ||
            rename(hidden, m_path) != 0)
            qFatal("cannot make the device %s", m_path.constData());
    }
    ~EvdevPipe()
    {
        unplug();
        unlink(m_path);
    }
    EvdevPipe(const EvdevPipe &) = delete;
    EvdevPipe &operator=(const EvdevPipe &) = delete;

    bool write(const QByteArray &data) const
    {
        for (qsizetype done = 0, n = 0; done < data.size(); done += n)
            if ((n = ::write(m_fd, data.constData() + done, size_t(data.size() - done))) < 0)
                return false;
        return true;
    }

    // The writer goes, as a device that is pulled out: the reader sees the end.
    void unplug()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
};
