// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatusNotifierItem.h"

#include "TrayIcon.h"

StatusNotifierItem::StatusNotifierItem(QObject *parent) : QObject(parent)
{
    registerTrayDBusTypes();
    for (const QImage &image : smileyImages())
        m_icon.append(SniPixmap::fromImage(image));
}

SniToolTip StatusNotifierItem::toolTip() const
{
    return {QString(), m_icon, m_title, m_toolTipText};
}

void StatusNotifierItem::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit NewTitle();
    emit NewToolTip();
    emit XAyatanaNewLabel(title, QString());
}

void StatusNotifierItem::setToolTipText(const QString &text)
{
    if (text == m_toolTipText)
        return;
    m_toolTipText = text;
    emit NewToolTip();
}

void StatusNotifierItem::Activate(int x, int y)
{
    emit activated(QPoint(x, y));
}

void StatusNotifierItem::SecondaryActivate(int x, int y)
{
    emit activated(QPoint(x, y));
}

// Panels show the menu of the Menu property themselves.
void StatusNotifierItem::ContextMenu(int, int) {}

void StatusNotifierItem::Scroll(int, const QString &) {}
