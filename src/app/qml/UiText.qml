import QtQuick
import Tockly

// Text in the application's rounded face, ink unless told otherwise.
Text {
    color: Colors.ink
    font.pixelSize: TextStyle.body
    textFormat: Text.PlainText
}
