// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <QTextStream>

// `tockly status [--follow] [--json]` (`arguments` from the program's on): the running Tockly's
// title and status, for panels without tray labels. Plain text is "TITLE · STATUS"; --json gives
// one object a line, with "text", "tooltip" and "class" as waybar reads them besides "title",
// "status", "isTracking" and "autoTrackEnabled".
// --follow prints again on every change and waits for Tockly while it is not running (an empty
// text then). Without --follow, exit status 1 when Tockly is not running.
int runStatus(const QStringList &arguments, QDBusConnection bus, QTextStream &out,
              QTextStream &err);

// `tockly card`: opens or closes the running Tockly's card, for a panel widget's click.
int runCardToggle(QDBusConnection bus, QTextStream &err);

// `tockly pause` and `tockly resume`: switches the running Tockly's automatic tracking off or on
// and prints the status it then shows. Exit status 1 when Tockly is not running.
int runAutoTrack(bool enabled, QDBusConnection bus, QTextStream &out, QTextStream &err);
