// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The application's own evdev path alone, for bench_inputd: EvdevInputSource reading the named
// pipes given as arguments, in an event loop, until it is stopped.

#include "linux/EvdevInputSource.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <fcntl.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    EvdevInputSource source;
    for (const QString &path : app.arguments().mid(1)) {
        const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return 1;
        source.addDevice(path, fd);
    }
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
