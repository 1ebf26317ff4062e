#pragma once

#include "Pasteboard.h"

#include <QStringList>

// A clipboard in memory that remembers what was done to it.
class FakePasteboard final : public Pasteboard {
public:
    QString text() const override { return content; }
    void clear() override
    {
        content.clear();
        operations << QStringLiteral("clear");
    }
    void setText(const QString &text) override
    {
        content = text;
        operations << QStringLiteral("set");
    }

    QString content;
    QStringList operations;
};
