// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Process.h"
#include "SettingsStore.h"

#include <QMap>

// Settings in one JSON file, each value tagged with its type:
//   {"quenby.mac.goal.v1": {"type": "double", "value": 14400}, ...}
// Data values are written as base64 text. The file is read once, when the store is made; every
// change rewrites it whole and atomically. A file that does not decode counts as empty and is
// first moved aside, so that the next write does not destroy it.
using SettingValues = QMap<QString, SettingValue>;
// The whole file or nothing: a value of an unknown type, or not of its tag's type, fails it.
std::optional<SettingValues> decodeSettings(QByteArrayView json);
QByteArray encodeSettings(const SettingValues &values);

class JsonSettingsStore final : public SettingsStore {
public:
    // readOnly: for tools that look at the settings while the application runs; nothing is ever
    // written, moved or created, and changes are refused.
    enum class Mode { readWrite, readOnly };
    explicit JsonSettingsStore(QString path, Mode mode = Mode::readWrite);

    // $XDG_CONFIG_HOME/Quenby/settings.json
    static QString defaultPath(const Process &process);

    const QString &path() const { return m_path; }
    // The file exists but could not be read or decoded; its values count as absent.
    bool unreadable() const { return m_unreadable; }

    std::optional<SettingValue> value(const QString &key) const override;
    bool setValue(const QString &key, const SettingValue &value) override;
    bool remove(const QString &key) override;

private:
    void load();
    bool save() const;

    QString m_path;
    Mode m_mode;
    bool m_unreadable = false;
    SettingValues m_values;
};
