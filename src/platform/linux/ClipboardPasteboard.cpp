#include "ClipboardPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>

QString ClipboardPasteboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void ClipboardPasteboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void ClipboardPasteboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}
