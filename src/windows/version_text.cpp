#include "windows/version_text.h"

namespace ruvo::VersionText {

using namespace Qt::StringLiterals;

QString caption()
{
    return u"バージョン情報"_s;
}

QString nameAndVersion()
{
    return u"Ruvo Ver2.04"_s;
}

QString notice()
{
    return u"Linux 版 コミック・画像ビューア"_s;
}

QString pageHeading()
{
    return u"作者のホームページ"_s;
}

QString pageAddress()
{
    return u"https://example.org/ruvo/"_s;
}

} // namespace ruvo::VersionText
