// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

pragma Singleton
import QtQuick

// The palette: the ten colours of every window. (QtQuick already has a type named Palette.)
QtObject {
    readonly property color cream: Qt.rgba(1.0, 0.97, 0.92, 1)
    readonly property color peach: Qt.rgba(1.0, 0.93, 0.86, 1)
    readonly property color coral: Qt.rgba(1.0, 0.55, 0.38, 1)
    readonly property color tomato: Qt.rgba(0.95, 0.42, 0.30, 1)
    readonly property color sage: Qt.rgba(0.30, 0.65, 0.50, 1)
    readonly property color ink: Qt.rgba(0.35, 0.25, 0.20, 1)
    readonly property color taupe: Qt.rgba(0.55, 0.45, 0.40, 1)
    readonly property color honey: Qt.rgba(0.98, 0.75, 0.30, 1)
    readonly property color amber: Qt.rgba(0.93, 0.60, 0.15, 1)
    readonly property color blush: Qt.rgba(1.0, 0.75, 0.75, 1)

    function alpha(c, a) { return Qt.rgba(c.r, c.g, c.b, a) }
}
