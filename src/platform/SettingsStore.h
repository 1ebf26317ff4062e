// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

// One stored setting: a flag, a number, a text or opaque bytes (JSON documents, for instance).
using SettingValue = std::variant<bool, double, QString, QByteArray>;

// Per-user key-value storage. Values are typed: asking for a type other than the one stored gives
// nothing, as if the key were missing.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<SettingValue> value(const QString &key) const = 0;
    // False when the change could not be made durable; it still holds in memory.
    virtual bool setValue(const QString &key, const SettingValue &value) = 0;
    virtual bool remove(const QString &key) = 0;

    std::optional<bool> boolValue(const QString &key) const { return typed<bool>(key); }
    std::optional<double> doubleValue(const QString &key) const { return typed<double>(key); }
    std::optional<QString> textValue(const QString &key) const { return typed<QString>(key); }
    std::optional<QByteArray> dataValue(const QString &key) const { return typed<QByteArray>(key); }

private:
    template<typename T> std::optional<T> typed(const QString &key) const
    {
        const auto v = value(key);
        if (!v || !std::holds_alternative<T>(*v))
            return std::nullopt;
        return std::get<T>(*v);
    }
};
