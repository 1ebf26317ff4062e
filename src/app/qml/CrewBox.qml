// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Tockly

// Crews: start or join one, switch between them, watch today's board, invite, prune, leave.
Rectangle {
    id: box

    // What is typed into the form, and the invite just copied.
    property string crewNickname: ""
    property string crewCodeInput: ""
    property bool inviteCopied: false

    implicitHeight: column.implicitHeight + 24
    radius: 12
    color: Qt.rgba(1, 1, 1, 0.75)

    function submit() {
        Crew.submit(crewNickname, crewCodeInput)
    }

    Timer {
        id: clearCopied
        interval: 2000
        onTriggered: box.inviteCopied = false
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 12
        spacing: 8

        UiText {
            objectName: "crewHeading"
            visible: Crew.crewNames.length === 0
            //: The heading of the crew box, in capitals.
            text: qsTr("CREW 👑")
            color: Colors.taupe
            font.pixelSize: 10
            font.weight: Font.Bold
            font.letterSpacing: 2
        }

        // No crew yet.
        UiText {
            objectName: "crewPitch"
            visible: Crew.state === Crew.Intro
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: qsTr("Race your friends — who works hardest today?")
            color: Colors.taupe
            font.pixelSize: TextStyle.caption
        }
        Row {
            objectName: "introButtons"
            visible: Crew.state === Crew.Intro
            spacing: 8
            CapsuleButton {
                text: qsTr("Start a crew")
                onClicked: Crew.startCrew()
            }
            CapsuleButton {
                text: qsTr("Join with code")
                onClicked: Crew.joinWithCode()
            }
        }

        CrewTabs {
            objectName: "crewTabs"
            visible: Crew.crewNames.length >= 2
            Layout.fillWidth: true
        }

        // Another crew: which kind.
        Row {
            objectName: "pickerButtons"
            visible: Crew.state === Crew.Picker
            spacing: 8
            CapsuleButton {
                text: qsTr("Start a crew")
                onClicked: Crew.startCrew()
            }
            CapsuleButton {
                text: qsTr("Join with code")
                onClicked: Crew.joinWithCode()
            }
            CapsuleButton {
                text: qsTr("Cancel")
                onClicked: Crew.cancel()
            }
        }

        // The form.
        ColumnLayout {
            objectName: "crewForm"
            visible: Crew.state === Crew.Create || Crew.state === Crew.Join
            Layout.fillWidth: true
            spacing: 8
            CrewTextField {
                objectName: "nicknameField"
                Layout.fillWidth: true
                placeholderText: qsTr("Your nickname")
                text: box.crewNickname
                onTextEdited: box.crewNickname = text
                onAccepted: box.submit()
            }
            CrewTextField {
                objectName: "codeField"
                visible: Crew.state === Crew.Join
                Layout.fillWidth: true
                placeholderText: qsTr("Crew code (e.g. LUCKY7)")
                text: box.crewCodeInput
                onTextEdited: box.crewCodeInput = text
                onAccepted: box.submit()
            }
            Row {
                spacing: 8
                CapsuleButton {
                    objectName: "submitButton"
                    text: Crew.busy ? "…" : (Crew.state === Crew.Create ? qsTr("Create") : qsTr("Join"))
                    onClicked: box.submit()
                }
                CapsuleButton {
                    text: qsTr("Cancel")
                    onClicked: Crew.cancel()
                }
            }
        }

        // The board of the displayed crew.
        ColumnLayout {
            objectName: "crewBoard"
            visible: Crew.state === Crew.Board
            Layout.fillWidth: true
            spacing: 6

            RowLayout {
                Layout.fillWidth: true
                spacing: 6
                UiText {
                    objectName: "boardHeading"
                    Layout.fillWidth: true
                    elide: Text.ElideRight
                    //: The board's heading: %1 is the crew's name in capitals.
                    text: qsTr("CREW · %1").arg(Crew.crewName.toUpperCase())
                    color: Colors.taupe
                    font.pixelSize: 10
                    font.weight: Font.Bold
                    font.letterSpacing: 1.5
                }
                IconButton {
                    objectName: "addCrewButton"
                    symbol: "plus"
                    symbolSize: 10
                    bold: true
                    toolTip: qsTr("Start or join another crew")
                    Accessible.name: toolTip
                    onClicked: {
                        box.crewNickname = Crew.nickname
                        box.crewCodeInput = ""
                        Crew.pickAnother()
                    }
                }
                IconButton {
                    objectName: "refreshButton"
                    symbol: "arrow.clockwise"
                    symbolSize: 10
                    bold: true
                    Accessible.name: qsTr("Refresh leaderboard")
                    onClicked: Crew.refresh()
                }
            }

            UiText {
                objectName: "waiting"
                visible: Crew.waiting
                text: qsTr("Waiting for first reports…")
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
            }

            Repeater {
                model: Crew.standings
                LeaderboardRow {
                    objectName: "leaderboardRow" + index
                    Layout.fillWidth: true
                }
            }

            Row {
                Layout.topMargin: 2
                spacing: 8
                CapsuleButton {
                    objectName: "copyInviteButton"
                    text: box.inviteCopied ? qsTr("Copied! 🍀") : qsTr("Copy invite")
                    onClicked: {
                        Crew.copyInvite()
                        box.inviteCopied = true
                        clearCopied.restart()
                    }
                }
                CapsuleButton {
                    objectName: "openPageButton"
                    //: Opens the crew's page in the browser.
                    text: qsTr("Open ↗")
                    onClicked: Crew.openPage()
                }
                PlainButton {
                    objectName: "leaveButton"
                    anchors.verticalCenter: parent.verticalCenter
                    //: Leaves the crew.
                    text: qsTr("Leave")
                    color: Colors.alpha(Colors.taupe, 0.7)
                    pixelSize: TextStyle.caption2
                    onClicked: Crew.leave()
                }
            }
        }

        UiText {
            objectName: "crewError"
            visible: Crew.error !== ""
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: Crew.error
            color: Colors.tomato
            font.pixelSize: TextStyle.caption2
        }
    }
}
