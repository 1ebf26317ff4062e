// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Pasteboard.h"
#include "linux/DataControlClipboard.h"

#include <memory>

// The clipboard of the running QGuiApplication (on X11 the CLIPBOARD selection). Under Wayland a
// client sees the clipboard only while one of its windows has the keyboard focus; there it is
// read through the compositor's data-control protocol where the compositor has one.
class ClipboardPasteboard final : public Pasteboard {
public:
    // `waylandDisplay`: the session's compositor ($WAYLAND_DISPLAY), empty outside Wayland.
    explicit ClipboardPasteboard(const QString &waylandDisplay = QString());
    ~ClipboardPasteboard() override;

    QString text() const override;
    void clear() override;
    void setText(const QString &text) override;

    // Reading finds nothing until one of our windows has the keyboard focus (Qt on a Wayland
    // compositor without data-control, such as GNOME's).
    bool readsOnlyWithFocus() const;

private:
    std::unique_ptr<DataControlClipboard> m_dataControl;
};
