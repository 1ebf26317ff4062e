#pragma once

#include "Pasteboard.h"

// The clipboard of the running QGuiApplication (on X11 the CLIPBOARD selection).
class ClipboardPasteboard final : public Pasteboard {
public:
    QString text() const override;
    void clear() override;
    void setText(const QString &text) override;
};
