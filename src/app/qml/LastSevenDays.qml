// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The week's bars, today last; choosing a day shows its detail line.
Rectangle {
    id: section

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
                text: qsTr("Last 7 days")
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.Bold
            }
            UiText {
                objectName: "weekTotal"
                text: Card.weekTotalText
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
                Accessible.name: qsTr("History")
                ToolTip.visible: hovered
                ToolTip.delay: 600
                ToolTip.text: qsTr("Open the full history window")
                onClicked: Shell.showHistory()
                contentItem: Row {
                    spacing: 3
                    opacity: historyButton.down ? 0.6 : 1
                    UiText {
                        text: qsTr("History")
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
                model: Card.week
                BareButton {
                    id: dayButton
                    required property int index
                    required property double day
                    required property double fraction
                    required property bool worked
                    required property string letter
                    required property bool isToday
                    required property bool selected
                    required property string accessibleName
                    readonly property Gradient todayGradient: Gradient {
                        GradientStop { position: 0; color: Colors.honey }
                        GradientStop { position: 1; color: Colors.coral }
                    }
                    objectName: "dayColumn" + index
                    // Equal columns share the row; the bar and letter take the column's width.
                    implicitWidth: 30
                    Layout.fillWidth: true
                    Layout.preferredWidth: 1
                    Layout.alignment: Qt.AlignBottom
                    padding: 0
                    focusPolicy: Qt.NoFocus
                    Accessible.name: accessibleName
                    onClicked: Card.chooseDay(day)
                    background: Item {}
                    contentItem: Column {
                        spacing: 3
                        Rectangle {
                            objectName: "bar"
                            width: dayButton.availableWidth
                            // 5 points for nothing up to 33 for the longest day.
                            height: 5 + 28 * dayButton.fraction
                            radius: 3
                            border.width: dayButton.selected ? 1.5 : 0
                            border.color: Colors.ink
                            color: Colors.alpha(Colors.coral, dayButton.worked ? 0.45 : 0.15)
                            gradient: dayButton.isToday ? dayButton.todayGradient : null
                        }
                        UiText {
                            width: dayButton.availableWidth
                            horizontalAlignment: Text.AlignHCenter
                            text: dayButton.letter
                            color: dayButton.isToday || dayButton.selected ? Colors.ink
                                                                           : Colors.taupe
                            font.pixelSize: 9
                            font.weight: Font.Bold
                        }
                    }
                }
            }
        }

        Row {
            id: detailRow
            objectName: "detailLine"
            Layout.topMargin: 2
            spacing: 5
            visible: opacity > 0
            opacity: Card.dayChosen ? 1 : 0
            Behavior on opacity { NumberAnimation { duration: 180 } }

            UiText {
                objectName: "detailDate"
                text: Card.dayDetail.date
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
                text: Card.dayDetail.duration
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
            }
            UiText {
                visible: Card.dayDetail.words !== ""
                text: "·"
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
            }
            UiText {
                objectName: "detailWords"
                visible: Card.dayDetail.words !== ""
                text: Card.dayDetail.words
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
                font.weight: Font.DemiBold
            }
        }
    }
}
