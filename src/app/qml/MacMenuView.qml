// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The card under the tray item: today's work, the goal, the streak, the settings, the crews and
// the last 7 days. It keeps only view state; everything else comes from the store.
Rectangle {
    id: card
    objectName: "card"

    // View state.
    property bool isVisible: false

    signal closeRequested()

    width: 330
    height: column.implicitHeight + 32
    color: Colors.cream
    focus: true
    Keys.onEscapePressed: closeRequested()

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 16
        spacing: 14

        // 1. Header.
        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            Item {
                implicitWidth: 84
                implicitHeight: 100
                MascotView {
                    objectName: "cardMascot"
                    anchors.centerIn: parent
                    scale: 0.42
                    isWorking: Card.status === Card.Counting
                    animated: card.isVisible
                }
            }

            ColumnLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                spacing: 4

                UiText {
                    text: "Tockly"
                    font.pixelSize: TextStyle.title3
                    font.weight: Font.Bold
                }
                RowLayout {
                    spacing: 6
                    Rectangle {
                        objectName: "statusDot"
                        implicitWidth: 8
                        implicitHeight: 8
                        radius: 4
                        color: Card.status === Card.Counting ? Colors.sage
                             : (Card.status === Card.Off ? Colors.alpha(Colors.taupe, 0.5)
                                                         : Colors.honey)
                    }
                    UiText {
                        objectName: "statusText"
                        Layout.fillWidth: true
                        elide: Text.ElideRight
                        text: Card.statusText
                        color: Colors.taupe
                        font.pixelSize: TextStyle.caption
                        font.weight: Font.Medium
                    }
                }
                UiText {
                    objectName: "streakBadge"
                    visible: Card.streakBadge !== ""
                    text: Card.streakBadge
                    color: Colors.amber
                    font.pixelSize: TextStyle.caption
                    font.weight: Font.Bold
                }
            }

            IconButton {
                objectName: "infoButton"
                Layout.alignment: Qt.AlignTop
                symbol: "info.circle"
                symbolSize: 15
                toolTip: qsTr("How Tockly works")
                Accessible.name: qsTr("How Tockly works")
                onClicked: Shell.showHowItWorks()
            }
        }

        // 2. Today.
        TodayBlock {
            objectName: "todayBlock"
            Layout.fillWidth: true
        }

        // 3. Settings.
        SettingsBox { Layout.fillWidth: true }

        // 4. Crews.
        CrewBox {
            objectName: "crewBox"
            Layout.fillWidth: true
        }

        // 5. The last 7 days.
        LastSevenDays {
            objectName: "lastSevenDays"
            Layout.fillWidth: true
        }

        // 6. Footer.
        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            UiText {
                objectName: "version"
                text: "v" + (Shell.version !== "" ? Shell.version : "1.0")
                color: Colors.alpha(Colors.taupe, 0.7)
                font.pixelSize: TextStyle.caption2
            }
            Item { Layout.fillWidth: true }
            PlainButton {
                objectName: "checkUpdatesButton"
                text: qsTr("Check for updates…")
                pixelSize: TextStyle.caption2
                toolTip: qsTr("New versions are announced; packages update with the system")
                onClicked: Shell.requestUpdateCheck()
            }
            PlainButton {
                objectName: "quitButton"
                //: Quits the application.
                text: qsTr("Quit")
                color: Colors.ink
                pixelSize: TextStyle.caption
                weight: Font.DemiBold
                Accessible.name: qsTr("Quit Tockly")
                onClicked: Shell.quit()
            }
        }
    }
}
