#include "windows/drop_help_text.h"

#include "imaging/picture_formats.h"

namespace ruvo {

using namespace Qt::StringLiterals;

QStringList dropHelpLines()
{
    return pictureDisplayNames() << u"フォルダ"_s << u"ドライブ"_s;
}

} // namespace ruvo
