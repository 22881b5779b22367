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
// The main window: 0 normal, 2 maximised; closing it minimised leaves the stored value.
inline constexpr SettingKey viewerWindowState{"botan", "0"};
// The main window's normal width and height, in twips.
inline constexpr SettingKey viewerWidth{"sizew", "9600"};
inline constexpr SettingKey viewerHeight{"sizeh", "7200"};
// The viewing area's background colour, as a colour number.
inline constexpr SettingKey backgroundColour{"col", "0"};
// The bookshelf window: its state and its normal width and height, in twips.
inline constexpr SettingKey shelfWindowState{"subbotan", "0"};
inline constexpr SettingKey shelfWidth{"subsizew", "9100"};
inline constexpr SettingKey shelfHeight{"subsizeh", "6000"};
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
