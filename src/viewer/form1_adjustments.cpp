#include "commands/control_names.h"
#include "session/settings_store.h"
#include "viewer/form1.h"

namespace ruvo {

void Form1::adjustPictures(const std::function<void(PictureAdjustments&)>& change)
{
    PictureAdjustments& adjustments = m_controls.adjustments;
    change(adjustments);
    adjustments = adjustments.bounded();
    m_controls.menu(MenuItem::greyscale).checked = adjustments.greyscale;
    SettingsStore settings(m_platform.settings);
    settings.writeNumber(Setting::pictureBrightness, adjustments.brightness);
    settings.writeNumber(Setting::pictureContrast, adjustments.contrast);
    settings.writeNumber(Setting::pictureGamma, adjustments.gamma);
    settings.writeNumber(Setting::pictureGreyscale, adjustments.greyscale ? 1 : 0);
}

void Form1::brighterClick()
{
    adjustPictures([](PictureAdjustments& a) { a.brightness += PictureAdjustments::brightnessStep; });
}

void Form1::darkerClick()
{
    adjustPictures([](PictureAdjustments& a) { a.brightness -= PictureAdjustments::brightnessStep; });
}

void Form1::moreContrastClick()
{
    adjustPictures([](PictureAdjustments& a) { a.contrast += PictureAdjustments::contrastStep; });
}

void Form1::lessContrastClick()
{
    adjustPictures([](PictureAdjustments& a) { a.contrast -= PictureAdjustments::contrastStep; });
}

void Form1::gammaUpClick()
{
    adjustPictures([](PictureAdjustments& a) { a.gamma += PictureAdjustments::gammaStep; });
}

void Form1::gammaDownClick()
{
    adjustPictures([](PictureAdjustments& a) { a.gamma -= PictureAdjustments::gammaStep; });
}

void Form1::greyscaleClick()
{
    adjustPictures([](PictureAdjustments& a) { a.greyscale = !a.greyscale; });
}

void Form1::resetAdjustmentsClick()
{
    adjustPictures([](PictureAdjustments& a) { a = PictureAdjustments{}; });
}

} // namespace ruvo
