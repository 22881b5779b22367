#pragma once

namespace ruvo {

// Has Qt's own buttons and dialogs speak Japanese, as every window of the program does,
// whatever language the desktop speaks: はい / いいえ / キャンセル, and the texts of the
// standard file and colour dialogs. Qt's Japanese translations come with the system
// (qt6-translations-l10n); false when they are not installed, and Qt's English stays.
bool installJapaneseStandardTexts();

} // namespace ruvo
