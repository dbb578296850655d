#include "platform/qt/QtSettingsStore.h"

#include <limits>

QtSettingsStore::QtSettingsStore() : settings_(QStringLiteral("Orbelin"), QStringLiteral("Lumivex"))
{
    settings_.beginGroup(QStringLiteral("5.0/Global"));
}

bool QtSettingsStore::exists() const
{
    return !settings_.childKeys().isEmpty();
}

std::optional<int32_t> QtSettingsStore::readInt(const std::string& name) const
{
    const QVariant wert = settings_.value(QString::fromStdString(name));
    bool ok = false;
    const qlonglong zahl = wert.toLongLong(&ok);
    if (!ok || zahl < std::numeric_limits<int32_t>::min() || zahl > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(zahl);
}

std::optional<std::string> QtSettingsStore::readString(const std::string& name) const
{
    const QVariant wert = settings_.value(QString::fromStdString(name));
    if (wert.typeId() != QMetaType::QString)
        return std::nullopt;
    return wert.toString().toStdString();
}

void QtSettingsStore::writeInt(const std::string& name, int32_t value)
{
    settings_.setValue(QString::fromStdString(name), value);
}

void QtSettingsStore::writeString(const std::string& name, const std::string& value)
{
    settings_.setValue(QString::fromStdString(name), QString::fromStdString(value));
}

void QtSettingsStore::remove()
{
    settings_.remove(QString());
}

bool QtSettingsStore::flush()
{
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}
