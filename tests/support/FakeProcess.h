#pragma once

#include "Process.h"

#include <QMap>

class FakeProcess final : public Process {
public:
    std::optional<QString> environmentValue(const QString &name) const override
    {
        const auto it = environment.constFind(name);
        return it == environment.constEnd() ? std::nullopt : std::optional(*it);
    }
    QStringList arguments() const override { return args; }

    QMap<QString, QString> environment;
    QStringList args{QStringLiteral("tockly")};
};
