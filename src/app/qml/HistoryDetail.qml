// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The chosen day: title, total, words, score, whether it is being counted, then its chips,
// typing against mousing, keystrokes by hour, top applications and sessions.
Rectangle {
    id: root
    required property HistoryModel history
    readonly property historyDay day: history.day

    radius: 14
    color: Qt.rgba(1, 1, 1, 0.75)

    component Heading: UiText {
        font.pixelSize: 9
        font.weight: Font.Bold
        font.letterSpacing: 1.5
        color: Colors.taupe
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 14
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: root.width - 28
            spacing: 10
            ColumnLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignTop
                spacing: 2
                UiText {
                    objectName: "dayTitle"
                    text: root.day.title
                    font.pixelSize: TextStyle.headline
                    font.weight: Font.Bold
                }
                UiText {
                    objectName: "dayTotal"
                    text: root.day.total
                    font.pixelSize: 34
                    font.weight: Font.Black
                }
                UiText {
                    objectName: "wordsLine"
                    text: root.day.words
                    font.pixelSize: TextStyle.caption
                    font.weight: Font.DemiBold
                }
            }
            Rectangle {
                Layout.alignment: Qt.AlignTop
                implicitWidth: badge.implicitWidth + 28
                implicitHeight: badge.implicitHeight + 16
                radius: height / 2
                color: Colors.alpha(Colors.coral, 0.18)
                HoverHandler { id: badgeHover }
                ToolTip.visible: badgeHover.hovered
                ToolTip.delay: 600
                ToolTip.text: qsTr("Minutes worked + deep-work minutes again + words ÷ 10 + clicks ÷ 25 + scrolls ÷ 200. Nothing subtracts — more work is always a higher score.")
                Column {
                    id: badge
                    anchors.centerIn: parent
                    UiText {
                        anchors.horizontalCenter: parent.horizontalCenter
                        //: Over the day's score, in capitals.
                        text: qsTr("SCORE")
                        font.pixelSize: 9
                        font.weight: Font.Bold
                        font.letterSpacing: 1.5
                        color: Colors.taupe
                    }
                    MonoDigits {
                        objectName: "scoreValue"
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: root.day.score
                        pixelSize: 24
                        weight: Font.Black
                    }
                }
            }
        }

        RowLayout {
            objectName: "countingNow"
            visible: root.day.counting
            spacing: 6
            Rectangle { implicitWidth: 6; implicitHeight: 6; radius: 3; color: Colors.sage }
            UiText {
                text: root.day.countingSince
                font.pixelSize: TextStyle.caption
                font.weight: Font.Medium
            }
        }

        Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Colors.alpha(Colors.ink, 0.12) }

        UiText {
            objectName: "emptyDay"
            visible: root.day.empty
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 30
            text: qsTr("No work recorded this day. 🍀")
            font.pixelSize: TextStyle.callout
            color: Colors.taupe
        }
        Item { visible: root.day.empty; Layout.fillHeight: true }

        ScrollView {
            id: scroll
            objectName: "detailScroll"
            visible: !root.day.empty
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            clip: true

            ColumnLayout {
                id: detailColumn
                width: scroll.availableWidth - 2
                spacing: 14

                // A positioner, not a layout: the chips are rebuilt on every redraw. The chips
                // take their width from the column: from the grid's own, which the grid sets
                // from theirs, Qt 6.8 repositions them without end.
                Grid {
                    id: chipGrid
                    Layout.fillWidth: true
                    columns: 2
                    spacing: 8
                    Repeater {
                        model: root.history.chips
                        // Qt 6.4's qmllint does not follow ids into a delegate.
                        // qmllint disable unqualified
                        Rectangle {
                            id: chipBox
                            required property string emoji
                            required property string value
                            required property string label
                            objectName: "chip"
                            width: (detailColumn.width - chipGrid.spacing) / 2
                            implicitHeight: chipRow.implicitHeight + 14
                            radius: 10
                            color: Colors.alpha(Colors.peach, 0.8)
                            RowLayout {
                                id: chipRow
                                anchors.fill: parent
                                anchors.leftMargin: 10
                                anchors.rightMargin: 10
                                spacing: 8
                                UiText { text: chipBox.emoji; font.pixelSize: 15 }
                                ColumnLayout {
                                    spacing: 0
                                    Layout.fillWidth: true
                                    UiText {
                                        objectName: "chipValue"
                                        text: chipBox.value
                                        font.pixelSize: TextStyle.caption
                                        font.weight: Font.Bold
                                    }
                                    UiText {
                                        objectName: "chipLabel"
                                        Layout.fillWidth: true
                                        elide: Text.ElideRight
                                        text: chipBox.label
                                        font.pixelSize: 9
                                        font.weight: Font.DemiBold
                                        color: Colors.taupe
                                    }
                                }
                            }
                        }
                        // qmllint enable unqualified
                    }
                }

                ColumnLayout {
                    objectName: "typingSection"
                    visible: root.day.typingShown
                    Layout.fillWidth: true
                    spacing: 5
                    Heading { text: qsTr("TYPING VS MOUSING") }
                    Item {
                        id: bar
                        Layout.fillWidth: true
                        implicitHeight: 8
                        readonly property real typingWidth: Math.max(
                            (width - 2) * root.day.typingShare, 3)
                        Rectangle {
                            width: Math.min(bar.typingWidth, bar.width)
                            height: 8
                            radius: 4
                            color: Colors.coral
                        }
                        Rectangle {
                            x: bar.typingWidth + 2
                            width: Math.max(0, bar.width - bar.typingWidth - 2)
                            height: 8
                            radius: 4
                            color: Colors.honey
                        }
                    }
                    RowLayout {
                        Layout.fillWidth: true
                        UiText { text: root.day.typingText; font.pixelSize: TextStyle.caption2; font.weight: Font.DemiBold }
                        Item { Layout.fillWidth: true }
                        UiText { text: root.day.mousingText; font.pixelSize: TextStyle.caption2; font.weight: Font.DemiBold }
                    }
                }

                ColumnLayout {
                    objectName: "hoursSection"
                    visible: root.day.hoursShown
                    Layout.fillWidth: true
                    spacing: 5
                    Heading { text: qsTr("KEYSTROKES BY HOUR") }
                    Row {
                        id: hours
                        Layout.fillWidth: true
                        Layout.preferredHeight: 26
                        spacing: 2
                        Repeater {
                            model: root.day.hourBars.length
                            // Qt 6.4's qmllint does not follow ids into a delegate.
                            // qmllint disable unqualified
                            Rectangle {
                                required property int index
                                width: (hours.width - 46) / 24
                                height: Math.max(4, 26 * root.day.hourBars[index])
                                y: 26 - height
                                radius: 1.5
                                color: Colors.alpha(Colors.coral, 0.7)
                            }
                            // qmllint enable unqualified
                        }
                    }
                    UiText {
                        objectName: "busiestLine"
                        text: root.day.busiest
                        font.pixelSize: TextStyle.caption2
                        font.weight: Font.DemiBold
                    }
                }

                ColumnLayout {
                    objectName: "appsSection"
                    visible: root.day.appsShown
                    Layout.fillWidth: true
                    spacing: 5
                    Heading { text: qsTr("TOP APPS") }
                    Repeater {
                        model: root.history.apps
                        RowLayout {
                            id: app
                            required property string name
                            required property real fraction
                            required property string duration
                            Layout.fillWidth: true
                            spacing: 8
                            UiText {
                                Layout.preferredWidth: 100
                                elide: Text.ElideRight
                                text: app.name
                                font.pixelSize: TextStyle.caption
                                font.weight: Font.DemiBold
                            }
                            Item {
                                id: track
                                Layout.fillWidth: true
                                implicitHeight: 6
                                Rectangle {
                                    width: Math.max(4, track.width * app.fraction)
                                    height: 6
                                    radius: 3
                                    color: Colors.alpha(Colors.amber, 0.55)
                                }
                            }
                            UiText {
                                Layout.preferredWidth: 54
                                horizontalAlignment: Text.AlignRight
                                text: app.duration
                                font.pixelSize: TextStyle.caption2
                                font.weight: Font.DemiBold
                            }
                        }
                    }
                }

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 6
                    Heading { text: qsTr("SESSIONS") }
                    Repeater {
                        model: root.history.sessions
                        Rectangle {
                            id: session
                            required property string symbol
                            required property string title
                            required property string times
                            objectName: "session"
                            Layout.fillWidth: true
                            implicitHeight: sessionRow.implicitHeight + 12
                            radius: 8
                            color: Colors.alpha(Colors.peach, 0.7)
                            // Positioners: layouts inside repeated delegates place their
                            // items unreliably when the model is replaced.
                            Row {
                                id: sessionRow
                                x: 8
                                anchors.verticalCenter: parent.verticalCenter
                                spacing: 10
                                Rectangle {
                                    anchors.verticalCenter: parent.verticalCenter
                                    width: 24
                                    height: 24
                                    radius: 6
                                    color: Colors.alpha(Colors.coral, 0.12)
                                    SymbolIcon {
                                        anchors.centerIn: parent
                                        name: session.symbol
                                        size: 12
                                        bold: true
                                        color: Colors.coral
                                    }
                                }
                                Column {
                                    anchors.verticalCenter: parent.verticalCenter
                                    spacing: 1
                                    UiText {
                                        text: session.title
                                        font.pixelSize: TextStyle.callout
                                        font.weight: Font.Medium
                                    }
                                    UiText {
                                        text: session.times
                                        font.pixelSize: TextStyle.caption2
                                        color: Colors.taupe
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
