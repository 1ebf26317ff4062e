// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the application icon as hicolor PNGs, drawn by the same code as the tray item so that
// the panel and the launcher show one face. Usage: tockly-render-icons OUTDIR SIZE...
#include "TrayIcon.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: tockly-render-icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (size <= 0 || !QDir().mkpath(dir) ||
            !smileyImage(size).save(dir + QStringLiteral("/tockly.png"))) {
            std::fprintf(stderr, "tockly-render-icons: cannot write the %s px icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
