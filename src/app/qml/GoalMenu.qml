// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// The daily-goal drop-down: "Off", 2h, 4h, ... 24h.
ComboBox {
    id: menu
    implicitWidth: 74
    implicitHeight: 24
    model: Card.goalChoices
    currentIndex: Card.goalIndex
    onActivated: index => Card.goalIndex = index
    Accessible.name: qsTr("Daily goal")
    focusPolicy: Qt.NoFocus

    contentItem: UiText {
        leftPadding: 10
        text: menu.displayText
        font.pixelSize: TextStyle.callout
        font.weight: Font.DemiBold
        verticalAlignment: Text.AlignVCenter
    }
    indicator: SymbolIcon {
        name: "arrow.up"
        rotation: 180
        size: 9
        bold: true
        color: Colors.taupe
        x: menu.width - width - 9
        y: (menu.height - height) / 2
    }
    background: Rectangle {
        radius: 7
        color: menu.pressed ? Colors.peach : Colors.cream
        border.width: 1
        border.color: Colors.alpha(Colors.ink, 0.12)
    }
    // Qt 6.4's qmllint does not follow ids into a delegate.
    // qmllint disable unqualified
    delegate: ItemDelegate {
        id: entry
        required property string modelData
        required property int index
        width: menu.width
        height: 22
        text: modelData
        highlighted: menu.highlightedIndex === index
        contentItem: UiText {
            text: entry.text
            font.pixelSize: TextStyle.callout
            font.weight: menu.currentIndex === index ? Font.Bold : Font.Normal
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 5
            color: entry.highlighted ? Colors.alpha(Colors.honey, 0.35) : "transparent"
        }
    }
    // qmllint enable unqualified
    popup: Popup {
        y: menu.height + 2
        width: menu.width
        implicitHeight: Math.min(contentItem.implicitHeight + 8, 300)
        padding: 4
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: menu.popup.visible ? menu.delegateModel : null
            currentIndex: menu.highlightedIndex
        }
        background: Rectangle {
            radius: 8
            color: "white"
            border.width: 1
            border.color: Colors.alpha(Colors.ink, 0.12)
        }
    }
}
