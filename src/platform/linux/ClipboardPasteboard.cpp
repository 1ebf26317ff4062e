// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>

ClipboardPasteboard::ClipboardPasteboard(const QString &waylandDisplay)
    : m_dataControl(waylandDisplay.isEmpty()
                        ? nullptr
                        : DataControlClipboard::open(waylandDisplay.toLocal8Bit()))
{}

ClipboardPasteboard::~ClipboardPasteboard() = default;

QString ClipboardPasteboard::text() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Qt reads our own text, and any while one of our windows has the focus; a read through the
    // compositor would wait on ourselves.
    if (!m_dataControl || clipboard->ownsClipboard() || QGuiApplication::focusWindow())
        return clipboard->text();
    return m_dataControl->text();
}

void ClipboardPasteboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void ClipboardPasteboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

bool ClipboardPasteboard::readsOnlyWithFocus() const
{
    return !m_dataControl && QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
