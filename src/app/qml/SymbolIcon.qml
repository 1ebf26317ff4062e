// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Shapes
import Tockly

// The few line symbols of the interface, drawn at any size: "info.circle", "plus",
// "arrow.clockwise", "xmark.circle", "arrow.up.forward", "arrow.up", "minus", "chevron.left",
// "chevron.right", "keyboard".
Item {
    id: root
    property string name
    property real size: 12
    property color color: Colors.taupe
    property bool bold: false
    readonly property real u: size / 24
    readonly property real stroke: Math.max(1, (bold ? 2.6 : 2) * u)

    implicitWidth: size
    implicitHeight: size
    // The software renderer paints shapes past the clip of a scrolling parent; as a texture
    // they are clipped like everything else.
    layer.enabled: GraphicsInfo.api === GraphicsInfo.Software

    Shape {
        anchors.fill: parent

        ShapePath {
            strokeColor: root.color
            strokeWidth: root.stroke
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            joinStyle: ShapePath.RoundJoin
            scale: Qt.size(root.u, root.u)
            PathSvg { path: root.pathFor(root.name) }
        }
    }

    // The dot of the "i" is a filled disc.
    Rectangle {
        visible: root.name === "info.circle"
        width: 2.8 * root.u; height: width; radius: width / 2
        color: root.color
        x: 12 * root.u - width / 2
        y: 7.6 * root.u - height / 2
    }

    function pathFor(name) {
        switch (name) {
        case "info.circle":
            return "M 12 2.5 A 9.5 9.5 0 1 1 11.99 2.5 Z M 12 11 L 12 17"
        case "xmark.circle":
            return "M 12 2.5 A 9.5 9.5 0 1 1 11.99 2.5 Z M 8.6 8.6 L 15.4 15.4 M 15.4 8.6 L 8.6 15.4"
        case "plus":
            return "M 12 4 L 12 20 M 4 12 L 20 12"
        case "arrow.clockwise":
            return "M 19.5 12 A 7.5 7.5 0 1 1 16.6 6.1 M 17.2 2.6 L 17.2 6.8 L 13 6.8"
        case "arrow.up.forward":
            return "M 6 18 L 18 6 M 9 6 L 18 6 L 18 15"
        case "minus":
            return "M 4 12 L 20 12"
        case "chevron.left":
            return "M 15 4.5 L 7.5 12 L 15 19.5"
        case "chevron.right":
            return "M 9 4.5 L 16.5 12 L 9 19.5"
        case "keyboard":
            return "M 3.5 6.5 L 20.5 6.5 L 20.5 17.5 L 3.5 17.5 Z M 7 10 L 7.01 10 M 10.3 10 L 10.31 10 M 13.6 10 L 13.61 10 M 17 10 L 17.01 10 M 8 14 L 16 14"
        case "arrow.up":
            return "M 12 20 L 12 4 M 5.5 10.5 L 12 4 L 18.5 10.5"
        }
        return ""
    }
}
