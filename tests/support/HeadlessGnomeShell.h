// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HeadlessCompositor.h"
#include "PrivateLocale.h"

#include <QMap>
#include <QPointF>
#include <QRect>

// A headless GNOME Shell of the test's own: Wayland on one virtual monitor, no Xwayland, private
// session and system buses, a private home whose settings are a key file (the machine's stay
// untouched), Tockly's extension installed for its user. Accessibility is on, so that a test
// reads the screen as a screen reader does; the pointer is driven as a remote desktop.
class HeadlessGnomeShell : public HeadlessCompositor {
public:
    // What a screen reader finds shown on the screen (AT-SPI): an object of the Shell's.
    struct Accessible {
        QString application; // its connection to the accessibility bus
        QString path;
        QString parent; // the path of the object it is part of
        QString name;
        uint role = 0; // AT-SPI's: 29 a label, 43 a push button, 33 a menu
    };

    ~HeadlessGnomeShell() override;
    // Before start: a folder laid out as a package lays out /usr (Tockly's program, desktop
    // entry, icons and extension), whose bin/ and share/ are searched first. Without one, Tockly's
    // extension as the build made it is installed for the user only, as from source.
    void setPackagePrefix(const QString &prefix) { m_packagePrefix = prefix; }
    // Before start: the session's locale, the Shell's and its clients' (else C.UTF-8). It must
    // outlive the Shell.
    void setLocale(const PrivateLocale &locale) { m_locale = &locale; }
    // `extensions` are enabled from the start; `applications` maps desktop-file ids to the
    // Name= of .desktop files in the session's data folder.
    bool start(const QStringList &extensions, const QMap<QString, QString> &applications,
               QString *error);

    QString home() const { return m_runtime.path(); }
    QDBusConnection bus() const { return m_connection; }

    // The Shell's org.gnome.Shell.Extensions: the extension's state (1 enabled, 2 disabled), and
    // switching it.
    int extensionState(const QString &uuid) const;
    bool setExtensionEnabled(const QString &uuid, bool enabled) const;

    // The shown windows' WM classes (Wayland app ids), or only the focused one's, from the
    // Shell's own introspection interface (it answers the desktop portal, whose name the test
    // takes).
    QStringList windows(bool focusedOnly = false) const;
    // What the Shell shows now, as a screen reader finds it, and where the first of that name
    // and role is on the screen (empty when none is shown).
    QList<Accessible> accessibles() const;
    QRect extents(const Accessible &accessible) const;
    QRect extents(const QString &name, uint role) const;
    // The whole screen as a PNG file (it answers the desktop portal, as for windows()).
    bool screenshot(const QString &file) const;

    // The user at the pointer: a small move (the user is active again), the pointer over the
    // middle of what shows under that name and role (or over a point of the screen), or a click
    // there.
    void nudgePointer();
    bool pointAt(const QString &name, uint role);
    void pointAt(QPointF target);
    bool click(const QString &name, uint role, bool rightButton = false);
    void click(QPointF at, bool rightButton = false);
    // A key of the keyboard, by its evdev code, pressed or released.
    void key(int code, bool pressed);

protected:
    void pointAtTheMiddle() override;
    void click() override;

private:
    QVariant extensions(const QString &method, const QString &uuid) const;
    // The accessibility bus of this Shell's session, and a call on an object there.
    QDBusConnection a11y() const { return QDBusConnection(m_a11yName); }
    QVariant accessibleCall(const QString &app, const QString &path, const QString &method) const;
    // A call on the remote-desktop session, which drives the pointer and the keyboard.
    void pointer(const QString &method, const QVariantList &args);
    void pressButton(int button);

    PrivateBus m_systemBus;
    QDBusConnection m_connection{QString()};
    QString m_remoteDesktop; // the session's path
    QPointF m_pointer{-1, -1};
    QString m_packagePrefix;
    const PrivateLocale *m_locale = nullptr;
    // Connections of this process are shared by name: each Shell's own, so two can run at once.
    const QString m_a11yName = QStringLiteral("gnome-a11y ") + m_runtime.path();
};
