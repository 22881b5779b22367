#include "platform/argument_path.h"

#include "platform/native_name.h"

#include <QRegularExpression>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

// A scheme and an authority ("http://", "smb://", "file://"), or the short
// "file:/path" form. A plain name that merely holds a colon ("vol:1") stays a path.
bool isUri(const QString& text)
{
    static const QRegularExpression uri(u"^(?:[A-Za-z][A-Za-z0-9+.-]*://|file:/)"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    return uri.match(text).hasMatch();
}

} // namespace

QString pathOfArgument(const QString& text)
{
    if (!isUri(text))
        return text;
    return pathOfFileUrl(QUrl(text));
}

QString pathOfFileUrl(const QUrl& url)
{
    if (!url.isValid() || url.scheme().compare(u"file"_s, Qt::CaseInsensitive) != 0)
        return {};
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(u"localhost"_s, Qt::CaseInsensitive) != 0)
        return {};
    // QUrl's decoded path replaces bytes that are not UTF-8; decoding the escapes here
    // keeps them.
    return nameFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

} // namespace ruvo
