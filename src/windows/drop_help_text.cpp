#include "windows/drop_help_text.h"

namespace ruvo {

using namespace Qt::StringLiterals;

QStringList dropHelpLines()
{
    return {u"BMPファイル"_s, u"JPGファイル"_s, u"JPEGファイル"_s, u"GIFファイル"_s, u"ICOファイル"_s,
            u"WMFファイル"_s, u"EMFファイル"_s, u"フォルダ"_s,     u"ドライブ"_s};
}

} // namespace ruvo
