#pragma once
#include <QSettings>

#include "core/Services.h"

// The settings of organisation "Orbelin", application "Lumivex", group
// "5.0/Global" in the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    bool exists() const override;
    std::optional<int32_t> readInt(const std::string& name) const override;
    std::optional<std::string> readString(const std::string& name) const override;
    void writeInt(const std::string& name, int32_t value) override;
    void writeString(const std::string& name, const std::string& value) override;
    void remove() override;
    bool flush() override;
    // The file the values live in.
    QString fileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
};
