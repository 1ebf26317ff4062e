// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The explainer: ten plain rules of what is counted and what is not.
Rectangle {
    id: explainer
    readonly property var rules: [
        { id: "counts", emoji: "\u2328\uFE0F", title: qsTr("What counts as work"),
          body: qsTr("Any keyboard or mouse input means you're working, and the clock runs. It never sees what you type — only that you did something.") },
        { id: "thirty", emoji: "\u2615\uFE0F", title: qsTr("The 30-second rule"),
          body: qsTr("Go 30 seconds without touching anything and it pauses. Time counts only up to your last keystroke or click.") },
        { id: "words", emoji: "\u270D\uFE0F", title: qsTr("The day in numbers"),
          body: qsTr("Tockly also tallies how many keys you press (shown as words — 5 keystrokes ≈ 1 word), clicks and scrolls, your typing-vs-mousing split, and which apps your day went to. All counters, all local: it can't see what you type, and app names never leave this computer.") },
        { id: "score", emoji: "\u{1F3C5}", title: qsTr("The day score"),
          body: qsTr("Each day gets one combined score: minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts and nothing is hidden — more work is always a higher score. Today's sits in the panel card; the full breakdown lives in History.") },
        { id: "honest", emoji: "\u{1F319}", title: qsTr("Honest at the edges"),
          body: qsTr("Sessions that cross midnight are split so each day gets its true share. Sleep, dead batteries, crashes and reboots can't leak phantom hours.") },
        { id: "objective", emoji: "\u2696\uFE0F", title: qsTr("Objective by design"),
          body: qsTr("No add-time button, no delete, no import. What it counted is what happened.") },
        { id: "private", emoji: "\u{1F512}", title: qsTr("Private"),
          body: qsTr("Your sessions live only on this computer. No account, no analytics, no keylogging.") },
        { id: "crew", emoji: "\u{1F451}", title: qsTr("Crews"),
          body: qsTr("A crew shares exactly three things: your nickname, a random ID, and your daily total. The board resets at midnight.") },
        { id: "goal", emoji: "\u{1F3AF}", title: qsTr("Goal & streaks"),
          body: qsTr("Pick a daily goal and watch the bar fill. Work on consecutive days to build a streak.") },
        { id: "updates", emoji: "\u{1F504}", title: qsTr("Updates"),
          body: qsTr("Tockly tells you when a new version is out; a packaged install updates with your system. \"Check for updates…\" looks right away.") }
    ]

    width: 470
    height: 640
    color: Colors.cream

    ColumnLayout {
        anchors.fill: parent
        spacing: 6

        ColumnLayout {
            Layout.fillWidth: true
            Layout.topMargin: 16
            Layout.bottomMargin: 12
            spacing: 4

            Item {
                Layout.fillWidth: true
                implicitHeight: 150
                MascotView {
                    objectName: "explainerMascot"
                    anchors.centerIn: parent
                    scale: 0.8
                    isWorking: false
                    animated: true
                }
            }
            UiText {
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("How Tockly works")
                font.pixelSize: TextStyle.title2
                font.weight: Font.Bold
            }
            UiText {
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("The whole picture — no fine print.")
                color: Colors.taupe
                font.pixelSize: TextStyle.callout
            }
        }

        ScrollView {
            id: scroll
            objectName: "rulesScroll"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            contentWidth: availableWidth
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn
            ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

            ColumnLayout {
                width: scroll.availableWidth
                spacing: 10

                Repeater {
                    model: explainer.rules
                    Rectangle {
                        id: rule
                        required property var modelData
                        objectName: "rule_" + modelData.id
                        Layout.fillWidth: true
                        Layout.leftMargin: 20
                        Layout.rightMargin: 20
                        implicitHeight: ruleRow.implicitHeight + 28
                        radius: 14
                        color: Qt.rgba(1, 1, 1, 0.8)

                        RowLayout {
                            id: ruleRow
                            anchors.fill: parent
                            anchors.margins: 14
                            spacing: 12

                            UiText {
                                Layout.preferredWidth: 34
                                Layout.alignment: Qt.AlignTop
                                horizontalAlignment: Text.AlignHCenter
                                text: rule.modelData.emoji
                                font.pixelSize: 26
                            }
                            ColumnLayout {
                                Layout.fillWidth: true
                                Layout.alignment: Qt.AlignTop
                                spacing: 4
                                UiText {
                                    objectName: "ruleTitle"
                                    Layout.fillWidth: true
                                    wrapMode: Text.Wrap
                                    text: rule.modelData.title
                                    font.pixelSize: 17
                                    font.weight: Font.Bold
                                }
                                UiText {
                                    objectName: "ruleBody"
                                    Layout.fillWidth: true
                                    wrapMode: Text.Wrap
                                    text: rule.modelData.body
                                    color: Colors.taupe
                                    font.pixelSize: 15
                                    lineHeightMode: Text.FixedHeight
                                    lineHeight: bodyMetrics.height + 2.5
                                    FontMetrics {
                                        id: bodyMetrics
                                        font.pixelSize: 15
                                    }
                                }
                            }
                        }
                    }
                }

                UiText {
                    objectName: "explainerVersion"
                    Layout.leftMargin: 20
                    Layout.topMargin: 6
                    Layout.bottomMargin: 20
                    //: %1 is the version.
                    text: qsTr("Tockly %1 · free software under the GNU GPL v3 or later").arg(Shell.version)
                    color: Colors.alpha(Colors.taupe, 0.7)
                    font.pixelSize: TextStyle.caption
                }
            }
        }
    }
}
