// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick

// A blurred shadow under a rounded shape, made of a few faint rounded layers that grow
// outwards (no effects needed, cheap for the software renderer).
Item {
    id: root
    property color color: "black"
    property real opacityTotal: 0.2
    property real blur: 14
    property real radius: 20
    readonly property int layers: 6

    Repeater {
        model: root.layers
        // Qt 6.4's qmllint does not follow ids into a delegate.
        // qmllint disable unqualified
        Rectangle {
            required property int index
            readonly property real grow: root.blur * (index + 1) / root.layers
            x: -grow / 2
            y: -grow / 2
            width: root.width + grow
            height: root.height + grow
            radius: root.radius + grow / 2
            color: root.color
            opacity: root.opacityTotal / root.layers * 1.6
        }
        // qmllint enable unqualified
    }
}
