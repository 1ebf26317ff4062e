#pragma once

#include "SettingsStore.h"

#include <QMap>

// Settings in memory. With failWrites set, changes are refused as a full disk would refuse them.
class FakeSettingsStore final : public SettingsStore {
public:
    std::optional<SettingValue> value(const QString &key) const override
    {
        const auto it = values.constFind(key);
        return it == values.constEnd() ? std::nullopt : std::optional(*it);
    }
    bool setValue(const QString &key, const SettingValue &value) override
    {
        ++writes;
        if (failWrites)
            return false;
        values.insert(key, value);
        return true;
    }
    bool remove(const QString &key) override
    {
        ++writes;
        if (failWrites)
            return false;
        values.remove(key);
        return true;
    }

    QMap<QString, SettingValue> values;
    bool failWrites = false;
    int writes = 0;
};
