// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Tockly

// A text whose digits all take the same width, so a running clock does not shake.
Row {
    id: root
    property string text
    property int pixelSize: 34
    property int weight: Font.Bold
    property color color: Colors.ink

    TextMetrics {
        id: digit
        font.pixelSize: root.pixelSize
        font.weight: root.weight
        text: "0"
    }

    Repeater {
        model: root.text.split("")
        // Qt 6.4's qmllint does not follow ids into a delegate.
        // qmllint disable unqualified
        UiText {
            required property string modelData
            text: modelData
            color: root.color
            font.pixelSize: root.pixelSize
            font.weight: root.weight
            width: modelData >= "0" && modelData <= "9" ? digit.advanceWidth : implicitWidth
            horizontalAlignment: Text.AlignHCenter
        }
        // qmllint enable unqualified
    }
}
