// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// One pill per crew; the displayed crew's pill stands out.
Flow {
    id: tabs
    required property var crews
    required property string displayedCode
    signal chosen(string code)

    spacing: 6

    Repeater {
        model: tabs.crews
        // Qt 6.4's qmllint does not follow ids into a delegate.
        // qmllint disable unqualified
        BareButton {
            id: pill
            required property var modelData
            readonly property bool current: modelData.code === tabs.displayedCode
            objectName: "crewTab"
            text: modelData.crewName
            leftPadding: 9
            rightPadding: 9
            topPadding: 4
            bottomPadding: 4
            focusPolicy: Qt.NoFocus
            Accessible.name: text
            onClicked: tabs.chosen(modelData.code)
            contentItem: UiText {
                text: pill.text
                color: pill.current ? Colors.ink : Colors.taupe
                font.pixelSize: 11
                font.weight: pill.current ? Font.Bold : Font.Medium
            }
            background: Rectangle {
                radius: height / 2
                color: pill.current ? Colors.alpha(Colors.honey, 0.28) : Colors.cream
            }
        }
        // qmllint enable unqualified
    }
}
