// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LoginItems.h"

#include <QString>

// Start at login as an XDG autostart entry, $XDG_CONFIG_HOME/autostart/tockly.desktop. It is
// enabled while the file exists and does not say Hidden=true.
class AutostartLoginItems final : public LoginItems {
public:
    AutostartLoginItems(QString configHome, QString executable);

    QString entryPath() const;

    Status status() const override;
    bool registerApp() override;
    bool unregisterApp() override;

    // The entry written for an executable.
    static QByteArray entryText(const QString &executable);

private:
    QString m_configHome;
    QString m_executable;
};
