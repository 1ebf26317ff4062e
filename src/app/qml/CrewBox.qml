// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Tockly

// Crews: start or join one, switch between them, watch today's board, invite, prune, leave.
Rectangle {
    id: box

    // View state.
    property string crewForm: "hidden" // "hidden", "picker", "create" or "join"
    property string crewNickname: ""
    property string crewCodeInput: ""
    property bool crewBusy: false
    property bool inviteCopied: false
    property var pendingRemoval: null
    property var selectedCrewCode: null

    readonly property var crews: Card.crews
    readonly property string content: Card.crewBoxContent(crews.length, crewForm)
    readonly property var displayed: {
        for (const c of crews)
            if (c.code === selectedCrewCode)
                return c
        return crews.length > 0 ? crews[0] : null
    }
    readonly property var standings: displayed !== null && Card.boards[displayed.code] !== undefined
                                     ? Card.boards[displayed.code] : []
    readonly property bool owned: displayed !== null && displayed.owned

    implicitHeight: column.implicitHeight + 24
    radius: 12
    color: Qt.rgba(1, 1, 1, 0.75)

    function submit() {
        const nickname = Card.trimmed(crewNickname)
        if (nickname === "" || crewBusy)
            return
        const mode = crewForm
        crewBusy = true
        if (mode === "create")
            Card.createCrew(nickname + "'s Crew", nickname)
        else
            Card.joinCrew(Card.trimmed(crewCodeInput), nickname)
    }

    Connections {
        target: Card
        function onFormRequestFinished() {
            box.crewBusy = false
            if (Card.crewError === "" && Card.crews.length > 0) {
                box.selectedCrewCode = Card.crews[Card.crews.length - 1].code
                box.crewForm = "hidden"
            }
        }
    }

    // Qt 6.4's qmllint does not follow ids into a delegate.
    // qmllint disable unqualified
    Component {
        id: clearCopiedLater
        Timer {
            interval: 2000
            running: true
            onTriggered: {
                box.inviteCopied = false
                destroy()
            }
        }
    }
    // qmllint enable unqualified

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 12
        spacing: 8

        UiText {
            objectName: "crewHeading"
            visible: box.crews.length === 0
            text: "CREW 👑"
            color: Colors.taupe
            font.pixelSize: 10
            font.weight: Font.Bold
            font.letterSpacing: 2
        }

        // No crew yet.
        UiText {
            objectName: "crewPitch"
            visible: box.content === "intro"
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: "Race your friends — who works hardest today?"
            color: Colors.taupe
            font.pixelSize: TextStyle.caption
        }
        Row {
            objectName: "introButtons"
            visible: box.content === "intro"
            spacing: 8
            CapsuleButton {
                text: "Start a crew"
                onClicked: box.crewForm = "create"
            }
            CapsuleButton {
                text: "Join with code"
                onClicked: box.crewForm = "join"
            }
        }

        CrewTabs {
            objectName: "crewTabs"
            visible: box.crews.length >= 2
            Layout.fillWidth: true
            crews: box.crews
            displayedCode: box.displayed !== null ? box.displayed.code : ""
            onChosen: code => {
                box.selectedCrewCode = code
                box.pendingRemoval = null
            }
        }

        // Another crew: which kind.
        Row {
            objectName: "pickerButtons"
            visible: box.content === "picker"
            spacing: 8
            CapsuleButton {
                text: "Start a crew"
                onClicked: box.crewForm = "create"
            }
            CapsuleButton {
                text: "Join with code"
                onClicked: box.crewForm = "join"
            }
            CapsuleButton {
                text: "Cancel"
                onClicked: box.crewForm = "hidden"
            }
        }

        // The form.
        ColumnLayout {
            objectName: "crewForm"
            visible: box.content === "form"
            Layout.fillWidth: true
            spacing: 8
            CrewTextField {
                objectName: "nicknameField"
                Layout.fillWidth: true
                placeholderText: "Your nickname"
                text: box.crewNickname
                onTextEdited: box.crewNickname = text
                onAccepted: box.submit()
            }
            CrewTextField {
                objectName: "codeField"
                visible: box.crewForm === "join"
                Layout.fillWidth: true
                placeholderText: "Crew code (e.g. LUCKY7)"
                text: box.crewCodeInput
                onTextEdited: box.crewCodeInput = text
                onAccepted: box.submit()
            }
            Row {
                spacing: 8
                CapsuleButton {
                    objectName: "submitButton"
                    text: box.crewBusy ? "…" : (box.crewForm === "create" ? "Create" : "Join")
                    onClicked: box.submit()
                }
                CapsuleButton {
                    text: "Cancel"
                    onClicked: box.crewForm = "hidden"
                }
            }
        }

        // The board of the displayed crew.
        ColumnLayout {
            objectName: "crewBoard"
            visible: box.content === "board"
            Layout.fillWidth: true
            spacing: 6

            RowLayout {
                Layout.fillWidth: true
                spacing: 6
                UiText {
                    objectName: "boardHeading"
                    Layout.fillWidth: true
                    elide: Text.ElideRight
                    text: box.displayed !== null ? "CREW · " + box.displayed.crewName.toUpperCase() : ""
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
                    toolTip: "Start or join another crew"
                    Accessible.name: toolTip
                    onClicked: {
                        box.crewNickname = box.displayed.nickname
                        box.crewCodeInput = ""
                        box.crewForm = "picker"
                    }
                }
                IconButton {
                    objectName: "refreshButton"
                    symbol: "arrow.clockwise"
                    symbolSize: 10
                    bold: true
                    Accessible.name: "Refresh leaderboard"
                    onClicked: Card.refresh()
                }
            }

            UiText {
                objectName: "waiting"
                visible: box.standings.length === 0
                text: "Waiting for first reports…"
                color: Colors.taupe
                font.pixelSize: TextStyle.caption
            }

            Repeater {
                model: box.standings.slice(0, 5)
                // Qt 6.4's qmllint does not follow ids into a delegate.
                // qmllint disable unqualified
                LeaderboardRow {
                    required property var modelData
                    required property int index
                    objectName: "leaderboardRow" + index
                    Layout.fillWidth: true
                    position: index
                    rankMark: modelData.rankMark
                    nickname: modelData.nickname
                    todayText: modelData.todayText
                    isOwn: box.displayed !== null && modelData.nickname === box.displayed.nickname
                    removable: box.owned
                    confirming: box.pendingRemoval === modelData.nickname
                    onRemoveAsked: box.pendingRemoval = modelData.nickname
                    onKept: box.pendingRemoval = null
                    onRemoveConfirmed: {
                        Card.removeMember(box.displayed.code, modelData.nickname)
                        box.pendingRemoval = null
                    }
                }
                // qmllint enable unqualified
            }

            Row {
                Layout.topMargin: 2
                spacing: 8
                CapsuleButton {
                    objectName: "copyInviteButton"
                    text: box.inviteCopied ? "Copied! 🍀" : "Copy invite"
                    onClicked: {
                        Card.copyInvite(box.displayed.code)
                        box.inviteCopied = true
                        clearCopiedLater.createObject(box)
                    }
                }
                CapsuleButton {
                    objectName: "openPageButton"
                    text: "Open ↗"
                    onClicked: Card.openCrewPage(box.displayed.code)
                }
                PlainButton {
                    objectName: "leaveButton"
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Leave"
                    color: Colors.alpha(Colors.taupe, 0.7)
                    pixelSize: TextStyle.caption2
                    onClicked: {
                        Card.leaveCrew(box.displayed.code)
                        box.selectedCrewCode = null
                    }
                }
            }
        }

        UiText {
            objectName: "crewError"
            visible: Card.crewError !== ""
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: Card.crewError
            color: Colors.tomato
            font.pixelSize: TextStyle.caption2
        }
    }
}
