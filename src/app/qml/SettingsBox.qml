// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The daily goal and the login switch.
Rectangle {
    implicitHeight: column.implicitHeight + 24
    radius: 12
    color: Qt.rgba(1, 1, 1, 0.75)

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 12
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            UiText {
                text: qsTr("Daily goal")
                font.weight: Font.DemiBold
            }
            Item { Layout.fillWidth: true }
            GoalMenu { objectName: "goalMenu" }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Colors.alpha(Colors.ink, 0.1)
        }

        RowLayout {
            Layout.fillWidth: true
            UiText {
                text: qsTr("Start when I log in")
                font.weight: Font.DemiBold
            }
            Item { Layout.fillWidth: true }
            Switch {
                id: loginSwitch
                objectName: "loginSwitch"
                checked: Store.launchAtLogin
                onToggled: Store.launchAtLogin = checked
                padding: 0
                focusPolicy: Qt.NoFocus
                Accessible.name: qsTr("Start when I log in")
                indicator: Rectangle {
                    implicitWidth: 34
                    implicitHeight: 20
                    radius: 10
                    color: loginSwitch.checked ? Colors.sage : Colors.alpha(Colors.ink, 0.15)
                    Rectangle {
                        width: 16
                        height: 16
                        radius: 8
                        y: 2
                        x: loginSwitch.checked ? parent.width - width - 2 : 2
                        color: "white"
                        Behavior on x { NumberAnimation { duration: 120 } }
                    }
                }
            }
        }
    }
}
