#pragma once

#include <QString>

namespace ruvo {

// The texts of the main window's status bar. The last-page text is also read
// back: it tells the backward page step that the last page stands alone.
namespace StatusText {
QString loading();
QString oneScreenMode();
QString twoScreensMode();
QString lastPageAlone();
// A page wider than it is tall, shown alone in two-page reading.
QString widePageAlone();
// "[" page number "] " file name; the number counts from 1.
QString pageLabel(int pageIndex, const QString& fileName);
// Page number " / " page count.
QString position(int pageIndex, int pageCount);
// The position of a book without pages: "0 / 0".
QString noPages();
// A book opened where the reader left it, at this page (counted from 0).
QString resumedAt(int pageIndex);
// On the last pages of a book: the next book of its folder, and the key that opens it.
QString nextVolume(const QString& bookName, const QString& key);
// The file of reading positions could not be read; reading goes on without them.
QString positionsLost();
} // namespace StatusText

} // namespace ruvo
