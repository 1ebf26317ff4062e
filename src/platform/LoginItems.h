// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The application as an item started at login.
class LoginItems {
public:
    enum class Status { notRegistered, enabled, requiresApproval, notFound };

    virtual ~LoginItems() = default;
    virtual Status status() const = 0;
    // Each returns false when the change could not be made.
    virtual bool registerApp() = 0;
    virtual bool unregisterApp() = 0;
};
