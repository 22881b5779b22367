#pragma once

#include <QString>

namespace ruvo {

class SettingsService;

// A key of the program's section of the settings store, with its default text.
struct SettingKey
{
    const char* name;
    const char* defaultValue;
};

namespace Setting {
inline constexpr SettingKey botan{"botan", "0"};
inline constexpr SettingKey sizew{"sizew", "9600"};
inline constexpr SettingKey sizeh{"sizeh", "7200"};
inline constexpr SettingKey col{"col", "0"};
inline constexpr SettingKey subbotan{"subbotan", "0"};
inline constexpr SettingKey subsizew{"subsizew", "9100"};
inline constexpr SettingKey subsizeh{"subsizeh", "6000"};
} // namespace Setting

// The program's window settings: application "Dudado", section "startup".
// Values are decimal texts; readers take their leading number.
class SettingsStore
{
public:
    static constexpr const char* application = "Dudado";
    static constexpr const char* section = "startup";

    explicit SettingsStore(SettingsService& service) : m_service(service) {}

    QString readText(const SettingKey& key) const;
    int readNumber(const SettingKey& key) const;
    void writeText(const SettingKey& key, const QString& value);
    void writeNumber(const SettingKey& key, int value);

private:
    SettingsService& m_service;
};

} // namespace ruvo
