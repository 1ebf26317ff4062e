// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// Today's worked time, score, typing pace and goal.
Rectangle {
    id: block
    readonly property real pace: Card.typingPace

    implicitHeight: column.implicitHeight + 24
    radius: 14
    color: Qt.rgba(1, 1, 1, 0.85)

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.topMargin: 12
        anchors.bottomMargin: 12
        spacing: 2

        UiText {
            Layout.alignment: Qt.AlignHCenter
            //: Over today's worked time on the card, in capitals.
            text: qsTr("TODAY")
            color: Colors.taupe
            font.pixelSize: 10
            font.weight: Font.Bold
            font.letterSpacing: 2
        }

        MonoDigits {
            objectName: "todayClock"
            Layout.alignment: Qt.AlignHCenter
            text: Card.todayText
            pixelSize: 34
            weight: Font.Bold
        }

        Row {
            objectName: "scoreRow"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 2
            visible: Card.score > 0
            spacing: 10

            UiText {
                objectName: "scoreText"
                text: "🏅 " + Card.scoreText
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
                HoverHandler { id: scoreHover }
                ToolTip.visible: scoreHover.hovered
                ToolTip.delay: 600
                ToolTip.text: qsTr("Today's score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. The breakdown lives in History.")
            }
            UiText {
                objectName: "paceText"
                visible: block.pace > 0
                //: %1 is the typing pace, words a minute.
                text: qsTr("⌨️ %1 words/min").arg(block.pace)
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
                HoverHandler { id: paceHover }
                ToolTip.visible: paceHover.hovered
                ToolTip.delay: 600
                ToolTip.text: qsTr("Your typing pace today: words (5 keystrokes each) per minute spent typing — Tockly never sees what you type")
            }
        }

        ColumnLayout {
            objectName: "goalBlock"
            visible: Card.goal.shown
            Layout.fillWidth: true
            Layout.topMargin: 6
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            spacing: 4
            Accessible.role: Accessible.ProgressBar
            Accessible.name: Card.goal.shown ? Card.goal.accessibleName : ""

            Rectangle {
                id: track
                objectName: "goalTrack"
                Layout.fillWidth: true
                implicitHeight: 6
                radius: 3
                color: Colors.alpha(Colors.coral, 0.14)

                Rectangle {
                    objectName: "goalFill"
                    height: parent.height
                    radius: 3
                    width: Math.max(track.width * (Card.goal.shown ? Card.goal.fraction : 0), 6)
                    gradient: Gradient {
                        orientation: Gradient.Horizontal
                        GradientStop { position: 0; color: Colors.honey }
                        GradientStop {
                            position: 1
                            color: Card.goal.reached ? Colors.amber : Colors.coral
                        }
                    }
                }
            }

            UiText {
                objectName: "goalLabel"
                Layout.alignment: Qt.AlignHCenter
                text: Card.goal.shown ? Card.goal.label : ""
                color: Card.goal.reached ? Colors.amber : Colors.taupe
                font.pixelSize: 10
                font.weight: Font.DemiBold
            }
        }
    }
}
