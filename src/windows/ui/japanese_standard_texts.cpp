#include "windows/ui/japanese_standard_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ruvo {

bool installJapaneseStandardTexts()
{
    // Kept by the application, which may ask for the texts until it ends.
    auto* translator = new QTranslator(QCoreApplication::instance());
    const bool loaded =
        translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace ruvo
