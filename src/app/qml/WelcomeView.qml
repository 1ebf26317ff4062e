// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Tockly

// The first-run hello: where Tockly lives and what it does. Return acts as "Let's go 🍀".
Rectangle {
    id: welcome
    signal done()

    width: 400
    height: column.implicitHeight + 56
    color: Colors.cream
    focus: true
    Keys.onReturnPressed: done()
    Keys.onEnterPressed: done()

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 28
        spacing: 14

        Rectangle {
            objectName: "pill"
            Layout.alignment: Qt.AlignHCenter
            implicitWidth: pillRow.implicitWidth + 28
            implicitHeight: pillRow.implicitHeight + 16
            radius: height / 2
            color: Colors.alpha(Colors.honey, 0.18)
            Row {
                id: pillRow
                anchors.centerIn: parent
                spacing: 6
                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "arrow.up"
                    size: 12
                    bold: true
                    color: Colors.amber
                }
                UiText {
                    text: qsTr("I live up there — look for the little smiley")
                    color: Colors.amber
                    font.pixelSize: TextStyle.subheadline
                    font.weight: Font.DemiBold
                }
            }
        }

        Item {
            Layout.fillWidth: true
            implicitHeight: 200
            MascotView {
                objectName: "welcomeMascot"
                anchors.centerIn: parent
                isWorking: false
                animated: true
            }
        }

        UiText {
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Welcome to Tockly")
            font.pixelSize: TextStyle.title2
            font.weight: Font.Bold
        }
        UiText {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: qsTr("While you type or move your mouse, I quietly count your work time. Step away, and I pause — honest totals, kept entirely on your computer.")
            color: Colors.taupe
            font.pixelSize: TextStyle.callout
        }
        UiText {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: qsTr("Tip: my menu has a daily goal, history, and a “start at login” switch.")
            color: Colors.alpha(Colors.taupe, 0.8)
            font.pixelSize: TextStyle.caption
        }
        GradientButton {
            objectName: "letsGoButton"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 4
            text: qsTr("Let's go 🍀")
            onClicked: welcome.done()
        }
    }
}
