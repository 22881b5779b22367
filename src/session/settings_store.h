#pragma once

#include <QString>

namespace ruvo {

class SettingsService;

// A key of the settings store, with its default text: by default in the window settings'
// application and section, otherwise in the program's own.
struct SettingKey
{
    const char* name;
    const char* defaultValue;
    const char* application = "Dudado";
    const char* section = "startup";
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
// Kept apart from the window settings, in the program's own file: whether a page wider than it
// is tall stands alone in two-page reading, 1 or 0.
inline constexpr SettingKey widePagesAlone{"widePagesAlone", "1", "ruvo", "reading"};
// Whether a spread's earlier page stands on the left (1) or, as in manga, on the right (0).
inline constexpr SettingKey leftToRight{"leftToRight", "0", "ruvo", "reading"};
// Whether numbers in names are compared by their value in a folder's pages and in the books a
// folder holds, 1 or 0.
inline constexpr SettingKey numberOrder{"numberOrder", "1", "ruvo", "reading"};
inline constexpr SettingKey allFormats{"allFormats", "1", "ruvo", "reading"};
// At actual size, one page pixel to each device pixel (1), or to each device-independent one (0).
inline constexpr SettingKey devicePixels{"devicePixels", "1", "ruvo", "reading"};
// Shelf thumbnails keep the page's shape and average its pixels (1), or fill their box with
// sampled points (0).
// How pages are adjusted as they are drawn (see PictureAdjustments).
inline constexpr SettingKey pictureBrightness{"brightness", "0", "ruvo", "picture"};
inline constexpr SettingKey pictureContrast{"contrast", "0", "ruvo", "picture"};
inline constexpr SettingKey pictureGamma{"gamma", "100", "ruvo", "picture"};
inline constexpr SettingKey pictureGreyscale{"greyscale", "0", "ruvo", "picture"};
inline constexpr SettingKey keepThumbnailShape{"keepThumbnailShape", "1", "ruvo", "shelf"};
// Whether a book opened as a whole opens where it was left, 1 or 0.
inline constexpr SettingKey resumeBooks{"resumeBooks", "1", "ruvo", "reading"};
} // namespace Setting

// The program's settings: the window settings (application "Dudado", section "startup") and
// its own beside them. Values are decimal texts; readers take their leading number.
class SettingsStore
{
public:
    explicit SettingsStore(SettingsService& service) : m_service(service) {}

    QString readText(const SettingKey& key) const;
    int readNumber(const SettingKey& key) const;
    void writeText(const SettingKey& key, const QString& value);
    void writeNumber(const SettingKey& key, int value);

private:
    SettingsService& m_service;
};

} // namespace ruvo
