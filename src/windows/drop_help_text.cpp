#include "windows/drop_help_text.h"

#include "imaging/picture_formats.h"

namespace ruvo {

using namespace Qt::StringLiterals;

QStringList dropHelpLines(PageFormats formats)
{
    return pictureDisplayNames(formats) << u"フォルダ"_s << u"ドライブ"_s;
}

} // namespace ruvo
