#include "windows/version_text.h"

#include <QFileInfo>
#include <QUrl>

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

QString readmeAddress(const QString& programFolder)
{
    const QFileInfo readme(programFolder + u"/../share/doc/ruvo/README.md"_s);
    return readme.isFile() ? QUrl::fromLocalFile(readme.canonicalFilePath()).toString() : QString();
}

QString cannotOpen(const QString& address)
{
    return u"開けませんでした"_s + QChar(13) + address;
}

} // namespace ruvo::VersionText
