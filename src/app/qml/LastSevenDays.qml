// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The week's bars, today last; choosing a day shows its detail line.
Rectangle {
    id: section
    readonly property var week: Card.week
    readonly property var detail: Card.dayDetail

    implicitHeight: column.implicitHeight + 24
    radius: 12
    color: Qt.rgba(1, 1, 1, 0.6)

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 12
        spacing: 6

        RowLayout {
            Layout.fillWidth: true
            spacing: 6
            UiText {
                text: "Last 7 days"
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.Bold
            }
            UiText {
                objectName: "weekTotal"
                text: section.week.totalText
                font.pixelSize: TextStyle.caption
                font.weight: Font.Bold
            }
            Item { Layout.fillWidth: true }
            BareButton {
                id: historyButton
                objectName: "historyButton"
                hoverEnabled: true
                focusPolicy: Qt.NoFocus
                padding: 0
                Accessible.name: "History"
                ToolTip.visible: hovered
                ToolTip.delay: 600
                ToolTip.text: "Open the full history window"
                onClicked: Shell.showHistory()
                contentItem: Row {
                    spacing: 3
                    opacity: historyButton.down ? 0.6 : 1
                    UiText {
                        text: "History"
                        color: Colors.tomato
                        font.pixelSize: TextStyle.caption
                        font.weight: Font.Bold
                        font.underline: historyButton.hovered
                    }
                    SymbolIcon {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "arrow.up.forward"
                        size: 8
                        bold: true
                        color: Colors.tomato
                    }
                }
                background: Item {}
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 6

            Repeater {
                // A count, not the list: each redraw brings a new list, and the columns should
                // stay the same items rather than be built again.
                model: section.week.days.length
                // Qt 6.4's qmllint does not follow ids into a delegate.
                // qmllint disable unqualified
                BareButton {
                    id: dayButton
                    required property int index
                    readonly property var modelData: section.week.days[index]
                    readonly property bool selected: modelData.selected
                    objectName: "dayColumn" + index
                    // Equal columns share the row; the bar and letter take the column's width.
                    implicitWidth: 30
                    Layout.fillWidth: true
                    Layout.preferredWidth: 1
                    Layout.alignment: Qt.AlignBottom
                    padding: 0
                    focusPolicy: Qt.NoFocus
                    Accessible.name: modelData.accessibleName
                    onClicked: Card.chooseDay(modelData.day)
                    background: Item {}
                    contentItem: Column {
                        spacing: 3
                        Rectangle {
                            objectName: "bar"
                            width: dayButton.availableWidth
                            height: dayButton.modelData.height
                            radius: 3
                            border.width: dayButton.selected ? 1.5 : 0
                            border.color: Colors.ink
                            color: Colors.alpha(Colors.coral,
                                                 dayButton.modelData.seconds > 0 ? 0.45 : 0.15)
                            gradient: dayButton.modelData.isToday ? todayGradient : null
                        }
                        UiText {
                            width: dayButton.availableWidth
                            horizontalAlignment: Text.AlignHCenter
                            text: dayButton.modelData.letter
                            color: dayButton.modelData.isToday || dayButton.selected ? Colors.ink
                                                                               : Colors.taupe
                            font.pixelSize: 9
                            font.weight: Font.Bold
                        }
                    }
                }
                // qmllint enable unqualified
            }
        }

        Row {
            id: detailRow
            objectName: "detailLine"
            Layout.topMargin: 2
            spacing: 5
            visible: opacity > 0
            opacity: section.detail !== null ? 1 : 0
            Behavior on opacity { NumberAnimation { duration: 180 } }

            readonly property var shown: section.detail !== null ? section.detail : lastShown
            property var lastShown: ({ date: "", duration: "", words: "" })
            // What it showed stays while it fades out.
            Connections {
                target: section
                function onDetailChanged() {
                    if (section.detail !== null)
                        detailRow.lastShown = section.detail
                }
            }

            UiText {
                objectName: "detailDate"
                text: detailRow.shown.date
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
            }
            UiText {
                text: "·"
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
            }
            UiText {
                objectName: "detailDuration"
                text: detailRow.shown.duration
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
            }
            UiText {
                visible: detailRow.shown.words !== ""
                text: "·"
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
            }
            UiText {
                objectName: "detailWords"
                visible: detailRow.shown.words !== ""
                text: detailRow.shown.words
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
            }
        }
    }

    Gradient {
        id: todayGradient
        GradientStop { position: 0; color: Colors.honey }
        GradientStop { position: 1; color: Colors.coral }
    }
}
