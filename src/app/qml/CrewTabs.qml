// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// One pill per crew; the displayed crew's pill stands out.
Flow {
    spacing: 6

    Repeater {
        model: Crew.crewNames
        BareButton {
            id: pill
            required property string modelData
            required property int index
            readonly property bool current: index === Crew.displayedIndex
            objectName: "crewTab"
            text: modelData
            leftPadding: 9
            rightPadding: 9
            topPadding: 4
            bottomPadding: 4
            focusPolicy: Qt.NoFocus
            Accessible.name: text
            onClicked: Crew.choose(index)
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
    }
}
