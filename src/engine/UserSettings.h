// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LoginItems.h"
#include "SettingsStore.h"

#include <QString>

#include <optional>

// The user's three settings: auto-tracking and the daily goal, kept in the settings store, and
// start at login, which only mirrors the login item. Restored when built. The store publishes
// them and runs what a change sets off.
class UserSettings {
public:
    static inline const QString autoKey = QStringLiteral("quenby.mac.auto.v1");
    static inline const QString goalKey = QStringLiteral("quenby.mac.goal.v1");
    static constexpr double defaultGoal = 14400;
    // A goal is 0 (none) or a whole number of these steps up to the longest.
    static constexpr double goalStep = 7200;
    static constexpr double longestGoal = 86400;

    // Both must outlive this object.
    UserSettings(SettingsStore &settings, LoginItems &loginItems);

    bool autoTrackEnabled() const { return m_autoTrackEnabled; }
    double goalSeconds() const { return m_goalSeconds; }
    bool launchAtLogin() const { return m_launchAtLogin; }

    // Each stores the value, also when it is unchanged, and returns whether it changed.
    bool setAutoTrackEnabled(bool enabled);
    bool setGoalSeconds(double seconds);
    // Only the value; applyLaunchAtLogin() registers or unregisters.
    bool setLaunchAtLogin(bool enabled);
    // Registers or unregisters as launchAtLogin says. When that fails, launchAtLogin takes the
    // login item's real state; returns whether that changed it.
    bool applyLaunchAtLogin();

    // The goal a stored number restores to: 0 (no goal) or a whole number of two-hour steps
    // between 2 and 24 hours.
    static double restoredGoal(std::optional<double> stored);

private:
    SettingsStore &m_settings;
    LoginItems &m_loginItems;
    bool m_autoTrackEnabled = true;
    double m_goalSeconds = defaultGoal;
    bool m_launchAtLogin = false;
};
