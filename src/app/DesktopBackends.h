// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"
#include "Process.h"
#include "linux/LinuxWorkspace.h"
#include "linux/PlatformChoice.h"

#include <QDBusConnection>

#include <memory>

// The input source and workspace the platform choice names, built for this session.
struct DesktopBackends {
    PlatformFacts facts;
    PlatformChoice choice;
    std::unique_ptr<InputSource> input;
    std::unique_ptr<LinuxWorkspace> workspace;

    static DesktopBackends build(const Process &process, const QDBusConnection &sessionBus,
                                 const QDBusConnection &systemBus);
};
