// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Dialogs
import QtQuick.Layouts
import Tockly

// The record across computers: the folder it is synced through, chosen or stopped here, and the
// computers seen there.
Rectangle {
    id: view
    required property OtherComputersModel computers
    readonly property bool syncing: computers.folder !== ""

    width: 380
    height: column.implicitHeight + 56
    color: Colors.cream

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 28
        spacing: 14

        UiText {
            Layout.fillWidth: true
            text: qsTr("Other computers 💻")
            font.pixelSize: TextStyle.title2
            font.weight: Font.Bold
        }
        UiText {
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: qsTr("Your day, added up across every computer you use, through a folder you already keep in step between them (Syncthing, a network home…). Each computer writes only its own folder there; time on two at once counts once.")
            color: Colors.taupe
            font.pixelSize: TextStyle.callout
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: folderColumn.implicitHeight + 24
            radius: 12
            color: Qt.rgba(1, 1, 1, 0.75)
            ColumnLayout {
                id: folderColumn
                anchors.fill: parent
                anchors.margins: 12
                spacing: 8
                UiText {
                    text: qsTr("Synced folder")
                    font.weight: Font.DemiBold
                }
                UiText {
                    objectName: "syncFolder"
                    Layout.fillWidth: true
                    elide: Text.ElideMiddle
                    text: view.syncing ? view.computers.folder : qsTr("Not syncing")
                    color: Colors.taupe
                    font.pixelSize: TextStyle.caption
                }
                RowLayout {
                    spacing: 8
                    CapsuleButton {
                        objectName: "chooseFolderButton"
                        text: view.syncing ? qsTr("Choose another…") : qsTr("Choose folder…")
                        onClicked: folderDialog.open()
                    }
                    CapsuleButton {
                        objectName: "stopSyncButton"
                        visible: view.syncing
                        text: qsTr("Stop syncing")
                        onClicked: view.computers.stop()
                    }
                }
            }
        }

        UiText {
            objectName: "syncError"
            visible: view.computers.error !== ""
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: view.computers.error
            color: Colors.tomato
            font.pixelSize: TextStyle.caption
        }

        Rectangle {
            visible: view.syncing
            Layout.fillWidth: true
            implicitHeight: listColumn.implicitHeight + 24
            radius: 12
            color: Qt.rgba(1, 1, 1, 0.6)
            ColumnLayout {
                id: listColumn
                anchors.fill: parent
                anchors.margins: 12
                spacing: 6
                UiText {
                    text: qsTr("COMPUTERS")
                    font.pixelSize: 9
                    font.weight: Font.Bold
                    font.letterSpacing: 1.5
                    color: Colors.taupe
                }
                Repeater {
                    model: view.computers.computers
                    RowLayout {
                        id: row
                        required property string name
                        required property string detail
                        required property bool isThis
                        objectName: "computerRow"
                        Layout.fillWidth: true
                        spacing: 8
                        Rectangle {
                            implicitWidth: 8
                            implicitHeight: 8
                            radius: 4
                            color: row.isThis ? Colors.sage : Colors.honey
                        }
                        UiText {
                            text: row.name
                            font.weight: Font.DemiBold
                            elide: Text.ElideRight
                            Layout.maximumWidth: 150
                        }
                        UiText {
                            Layout.fillWidth: true
                            horizontalAlignment: Text.AlignRight
                            elide: Text.ElideRight
                            text: row.detail
                            color: Colors.taupe
                            font.pixelSize: TextStyle.caption
                        }
                    }
                }
            }
        }

        Repeater {
            model: view.computers.problems
            UiText {
                required property string modelData
                objectName: "syncProblem"
                Layout.fillWidth: true
                wrapMode: Text.Wrap
                text: modelData
                color: Colors.tomato
                font.pixelSize: TextStyle.caption
            }
        }
    }

    FolderDialog {
        id: folderDialog
        title: qsTr("Choose the synced folder")
        currentFolder: view.computers.proposedFolder
        onAccepted: view.computers.chooseFolder(selectedFolder)
    }
}
