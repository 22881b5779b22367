#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace ruvo::test {

// The letter a caption's "&" makes its access key, lower-cased; none for a caption without
// one ("&&" is a plain ampersand).
inline QChar mnemonicOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return {};
}

// The captions of one menu that share an access key with an earlier caption of it, each
// named beside the one it clashes with.
inline QStringList mnemonicClashes(const QStringList& captions)
{
    QStringList clashes;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const QChar key = mnemonicOf(captions.at(i));
        if (key.isNull())
            continue;
        for (qsizetype j = 0; j < i; ++j) {
            if (mnemonicOf(captions.at(j)) == key)
                clashes.append(captions.at(j) + QStringLiteral(" / ") + captions.at(i));
        }
    }
    return clashes;
}

} // namespace ruvo::test
