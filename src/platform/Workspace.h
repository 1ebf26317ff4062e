// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <optional>

// The application that has the keyboard focus. The identifier is stable for one application; the
// display name is what the user sees. Either may be unknown.
struct FrontmostApplication {
    std::optional<QString> identifier;
    std::optional<QString> displayName;
};

// The desktop session around the tracker: which application is in front, and system sleep.
class Workspace : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual std::optional<FrontmostApplication> frontmostApplication() const = 0;

signals:
    // Emitted on the main thread just before the system sleeps. Receivers do their work before
    // returning; backends hold the sleep back until the emission returns.
    void willSleep();
    void didWake();
};
