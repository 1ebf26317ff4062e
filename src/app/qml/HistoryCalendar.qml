// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tockly

// The month: header with its chevrons, weekday names, the day grid tinted by worked time, and
// the legend.
Rectangle {
    id: root
    required property HistoryModel history

    implicitHeight: column.implicitHeight + 28
    radius: 14
    color: Qt.rgba(1, 1, 1, 0.75)

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 14
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            IconButton {
                objectName: "previousMonth"
                symbol: "chevron.left"
                bold: true
                implicitWidth: 26
                implicitHeight: 26
                Accessible.name: qsTr("Previous month")
                onClicked: root.history.previousMonth()
            }
            UiText {
                objectName: "monthTitle"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: root.history.monthTitle
                font.pixelSize: TextStyle.headline
                font.weight: Font.Bold
            }
            IconButton {
                objectName: "nextMonth"
                symbol: "chevron.right"
                bold: true
                implicitWidth: 26
                implicitHeight: 26
                Accessible.name: qsTr("Next month")
                onClicked: root.history.nextMonth()
            }
        }

        // Positioners, not layouts: the grid is rebuilt for a month of another length.
        Grid {
            id: grid
            readonly property real cellWidth: (width - 6 * spacing) / 7
            Layout.fillWidth: true
            columns: 7
            spacing: 4
            Repeater {
                model: root.history.weekdays
                // Qt 6.4's qmllint does not follow ids into a delegate.
                // qmllint disable unqualified
                UiText {
                    required property string modelData
                    width: grid.cellWidth
                    horizontalAlignment: Text.AlignHCenter
                    text: modelData
                    font.pixelSize: 10
                    font.weight: Font.Bold
                    color: Colors.taupe
                }
                // qmllint enable unqualified
            }
            Repeater {
                model: root.history.cells
                // Qt 6.4's qmllint does not follow ids into a delegate.
                // qmllint disable unqualified
                BareButton {
                    id: cell
                    required property bool blank
                    required property double day
                    required property int number
                    required property string label
                    required property bool worked
                    required property double tint
                    required property bool isToday
                    required property bool isSelected
                    required property bool isFuture
                    objectName: blank ? "blankCell" : "dayCell"
                    width: grid.cellWidth
                    height: 36
                    enabled: !blank
                    focusPolicy: Qt.NoFocus
                    Accessible.name: blank ? "" : String(number)
                    onClicked: root.history.selectDay(day)
                    background: Rectangle {
                        radius: 8
                        visible: !cell.blank
                        color: Colors.alpha(cell.worked ? Colors.coral : Colors.ink, cell.tint)
                        border.width: cell.isSelected ? 2 : (cell.isToday ? 1.5 : 0)
                        border.color: cell.isSelected ? Colors.ink : Colors.honey
                    }
                    contentItem: Column {
                        visible: !cell.blank
                        spacing: 0
                        UiText {
                            anchors.horizontalCenter: parent.horizontalCenter
                            text: cell.blank ? "" : cell.number
                            font.pixelSize: 12
                            font.weight: cell.isSelected ? Font.Bold : Font.Normal
                            opacity: cell.isFuture ? 0.35 : 1
                        }
                        UiText {
                            objectName: "cellLabel"
                            anchors.horizontalCenter: parent.horizontalCenter
                            visible: text !== ""
                            text: cell.label
                            font.pixelSize: 8
                            font.weight: Font.Bold
                            opacity: 0.65
                        }
                    }
                }
                // qmllint enable unqualified
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: 4
            //: The legend of the days' tints: less work on the left ...
            UiText { text: qsTr("less"); font.pixelSize: 9; font.weight: Font.Medium; color: Colors.taupe }
            Repeater {
                model: 5
                Rectangle {
                    required property int index
                    width: 12
                    height: 12
                    radius: 3
                    color: Colors.alpha(Colors.coral, 0.1 + 0.16 * index)
                }
            }
            //: ... more work on the right.
            UiText { text: qsTr("more"); font.pixelSize: 9; font.weight: Font.Medium; color: Colors.taupe }
        }
    }
}
