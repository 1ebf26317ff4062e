// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/JsonSettingsStore.h"

#include "AtomicFile.h"
#include "CorruptCopy.h"
#include "Json.h"
#include "linux/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>

#include <cmath>

namespace {

QJsonObject encode(const SettingValue &value)
{
    struct {
        QJsonObject operator()(bool b) const { return {{"type", "bool"}, {"value", b}}; }
        QJsonObject operator()(double d) const { return {{"type", "double"}, {"value", d}}; }
        QJsonObject operator()(const QString &s) const { return {{"type", "text"}, {"value", s}}; }
        QJsonObject operator()(const QByteArray &b) const
        {
            return {{"type", "data"}, {"value", QString::fromLatin1(b.toBase64())}};
        }
    } visitor;
    return std::visit(visitor, value);
}

std::optional<SettingValue> decode(const QJsonValue &json)
{
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject o = json.toObject();
    if (o.size() != 2)
        return std::nullopt;
    const QString type = o.value(QLatin1String("type")).toString();
    const QJsonValue v = o.value(QLatin1String("value"));
    if (type == u"bool" && v.isBool())
        return v.toBool();
    if (type == u"double" && v.isDouble())
        return v.toDouble();
    if (type == u"text" && v.isString())
        return v.toString();
    if (type == u"data" && v.isString()) {
        auto bytes = QByteArray::fromBase64Encoding(v.toString().toLatin1(),
                                                    QByteArray::AbortOnBase64DecodingErrors);
        if (bytes)
            return *bytes;
    }
    return std::nullopt;
}

} // namespace

std::optional<SettingValues> decodeSettings(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->toObject();
    SettingValues values;
    for (auto it = o.begin(); it != o.end(); ++it) {
        auto v = decode(it.value());
        if (!v)
            return std::nullopt;
        values.insert(it.key(), *v);
    }
    return values;
}

QByteArray encodeSettings(const SettingValues &values)
{
    QJsonObject o;
    for (auto it = values.begin(); it != values.end(); ++it)
        o.insert(it.key(), encode(it.value()));
    return writeJson(o);
}

JsonSettingsStore::JsonSettingsStore(QString path, Mode mode)
    : m_path(std::move(path)), m_mode(mode)
{
    load();
}

QString JsonSettingsStore::defaultPath(const Process &process)
{
    return xdgConfigHome(process) + QStringLiteral("/Quenby/settings.json");
}

void JsonSettingsStore::load()
{
    QFile file(m_path);
    if (!file.exists())
        return;
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    file.close();
    if (auto values = opened ? decodeSettings(bytes) : std::nullopt) {
        m_values = std::move(*values);
        return;
    }
    m_unreadable = true;
    if (m_mode == Mode::readWrite)
        keepCorruptCopy(m_path, QDateTime::currentDateTime());
}

bool JsonSettingsStore::save() const
{
    if (m_mode == Mode::readOnly)
        return false;
    QDir().mkpath(QFileInfo(m_path).path());
    return writeFileAtomically(m_path, encodeSettings(m_values));
}

std::optional<SettingValue> JsonSettingsStore::value(const QString &key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.constEnd())
        return std::nullopt;
    return *it;
}

bool JsonSettingsStore::setValue(const QString &key, const SettingValue &value)
{
    // JSON has no NaN or infinity; such a value would make the whole file unreadable.
    if (const double *d = std::get_if<double>(&value); d && !std::isfinite(*d))
        return false;
    m_values.insert(key, value);
    return save();
}

bool JsonSettingsStore::remove(const QString &key)
{
    if (!m_values.remove(key))
        return true;
    return save();
}
