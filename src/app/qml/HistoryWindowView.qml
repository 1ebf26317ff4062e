// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtQuick.Layouts
import Tockly

// The read-only history: four tiles, the month calendar, the chosen day's breakdown, and the
// export. All of it is read from the model, which keeps the view's state.
Rectangle {
    id: root
    required property HistoryModel history

    width: 760
    height: 600
    color: Colors.cream

    component Tile: Rectangle {
        id: tile
        property string emoji
        property string value
        property string label
        objectName: "tile"
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        implicitHeight: tileColumn.implicitHeight + 20
        radius: 12
        color: Qt.rgba(1, 1, 1, 0.85)
        Column {
            id: tileColumn
            anchors.centerIn: parent
            spacing: 3
            UiText { anchors.horizontalCenter: parent.horizontalCenter; text: tile.emoji; font.pixelSize: 18 }
            UiText {
                objectName: "tileValue"
                anchors.horizontalCenter: parent.horizontalCenter
                text: tile.value
                font.pixelSize: TextStyle.headline
                font.weight: Font.Bold
            }
            UiText {
                anchors.horizontalCenter: parent.horizontalCenter
                text: tile.label
                font.pixelSize: 9
                font.weight: Font.Bold
                font.letterSpacing: 1
                color: Colors.taupe
            }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 20
        spacing: 16

        RowLayout {
            objectName: "tiles"
            Layout.fillWidth: true
            spacing: 10
            Tile { emoji: "📅"; value: root.history.tiles.week; label: qsTr("THIS WEEK") }
            Tile {
                emoji: root.history.tiles.streakEmoji
                value: root.history.tiles.streak
                label: qsTr("STREAK")
            }
            Tile { emoji: "🏆"; value: root.history.tiles.bestDay; label: qsTr("BEST DAY") }
            Tile { emoji: "✨"; value: root.history.tiles.allTime; label: qsTr("ALL TIME") }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 16

            HistoryCalendar {
                Layout.preferredWidth: 320
                Layout.alignment: Qt.AlignTop
                history: root.history
            }
            HistoryDetail {
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.alignment: Qt.AlignTop
                history: root.history
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 12
            PlainButton {
                objectName: "exportButton"
                text: qsTr("Export History…")
                color: Colors.ink
                pixelSize: TextStyle.caption
                weight: Font.DemiBold
                onClicked: saveDialog.open()
            }
            UiText {
                text: qsTr("Objective by design — nothing here can be edited.")
                font.pixelSize: TextStyle.caption
                color: Colors.taupe
            }
            Item { Layout.fillWidth: true }
            Rectangle {
                objectName: "transferMessage"
                visible: root.history.transferMessage !== ""
                implicitWidth: messageText.implicitWidth + 24
                implicitHeight: messageText.implicitHeight + 12
                radius: height / 2
                color: Qt.rgba(1, 1, 1, 0.85)
                UiText {
                    id: messageText
                    anchors.centerIn: parent
                    text: root.history.transferMessage
                    color: Colors.sage
                    font.pixelSize: TextStyle.caption
                    font.weight: Font.DemiBold
                }
            }
        }
    }

    FileDialog {
        id: saveDialog
        objectName: "saveDialog"
        title: qsTr("Export History")
        fileMode: FileDialog.SaveFile
        nameFilters: ["JSON (*.json)"]
        defaultSuffix: "json"
        currentFolder: root.history.proposedFolder
        selectedFile: root.history.proposedFile
        onAccepted: root.history.exportTo(selectedFile)
    }
}
