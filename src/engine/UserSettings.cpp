// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UserSettings.h"

#include <algorithm>
#include <cmath>
#include <utility>

UserSettings::UserSettings(SettingsStore &settings, LoginItems &loginItems)
    : m_settings(settings), m_loginItems(loginItems),
      m_autoTrackEnabled(settings.boolValue(autoKey).value_or(true)),
      m_goalSeconds(restoredGoal(settings.doubleValue(goalKey))),
      // Restoring never registers or unregisters.
      m_launchAtLogin(loginItems.status() == LoginItems::Status::enabled)
{}

double UserSettings::restoredGoal(std::optional<double> stored)
{
    if (!stored || std::isnan(*stored))
        return defaultGoal;
    const double v = *stored;
    if (v <= 0)
        return 0;
    return std::clamp(std::round(v / goalStep) * goalStep, goalStep, longestGoal);
}

bool UserSettings::setAutoTrackEnabled(bool enabled)
{
    m_settings.setValue(autoKey, enabled);
    return std::exchange(m_autoTrackEnabled, enabled) != enabled;
}

bool UserSettings::setGoalSeconds(double seconds)
{
    // Stored as given: the goal is rounded only when it is restored.
    const bool changed = std::exchange(m_goalSeconds, seconds) != seconds;
    m_settings.setValue(goalKey, seconds);
    return changed;
}

bool UserSettings::setLaunchAtLogin(bool enabled)
{
    return std::exchange(m_launchAtLogin, enabled) != enabled;
}

bool UserSettings::applyLaunchAtLogin()
{
    const bool ok = m_launchAtLogin ? m_loginItems.registerApp() : m_loginItems.unregisterApp();
    if (ok)
        return false;
    // Show the real state; this correction does not register or unregister again.
    const bool actual = m_loginItems.status() == LoginItems::Status::enabled;
    return std::exchange(m_launchAtLogin, actual) != actual;
}
