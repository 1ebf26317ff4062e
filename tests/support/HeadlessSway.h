// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HeadlessCompositor.h"

// A headless sway of the test's own: a virtual output, no input devices, software rendering.
// sway refuses to run as root, so under root it runs as the unprivileged user "nobody" (root
// still reaches its sockets).
class HeadlessSway : public HeadlessCompositor {
public:
    bool start(QString *error);
    // Runs swaymsg with these arguments; true when sway said success. Its JSON reply goes to
    // `reply` when given.
    bool swaymsg(const QStringList &arguments, QByteArray *reply = nullptr) const;

private:
    QString m_ipcSocket;
};
