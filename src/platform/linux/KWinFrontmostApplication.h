// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/DesktopEntryNames.h"
#include "linux/FrontmostApplicationSource.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

// The focused application on KDE Plasma under Wayland, where KWin tells no other client. A small
// KWin script (kwin/active-window.js) is loaded over DBus; it calls Activated on our bus name
// with the active window's desktop file name and resource class whenever the focus moves. The
// desktop file name is the identifier (the class when there is none), the .desktop Name= the
// display name. Calls from anyone but KWin are ignored.
class KWinFrontmostApplication final : public QObject,
                                       public FrontmostApplicationSource,
                                       protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenby.Tockly.KWin")
public:
    static inline const QString objectPath = QStringLiteral("/org/quenby/Tockly/KWin");
    static inline const QString pluginName = QStringLiteral("tockly-active-window");

    // The script is written into `scriptFolder`, where KWin reads it.
    KWinFrontmostApplication(QDBusConnection bus, DesktopEntryNames names, QString scriptFolder);
    ~KWinFrontmostApplication() override;

    // Exports the callback object and asks KWin to load and run the script; the answers come
    // later, on the main loop. False when the object cannot be exported or the script written.
    bool start();
    // The script runs in KWin: it has reported at least once.
    bool isRunning() const { return m_running; }
    QString scriptPath() const { return m_scriptPath; }

    std::optional<FrontmostApplication> query() const override;

public slots:
    void Activated(const QString &desktopFileName, const QString &resourceClass);

private:
    void load(int attemptsLeft);
    bool fromKWin();

    QDBusConnection m_bus;
    DesktopEntryNames m_names;
    QString m_scriptFolder;
    QString m_scriptPath;
    QString m_kwinOwner;
    bool m_loaded = false;
    bool m_running = false;
    QString m_desktopFileName, m_resourceClass;
};
