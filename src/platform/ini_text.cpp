#include "platform/ini_text.h"

#include <QList>

#include <algorithm>

namespace ruvo {

namespace {

QList<QByteArray> linesOf(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith('[') && trimmed.endsWith(']'))
        return trimmed.mid(1, trimmed.size() - 2);
    return std::nullopt;
}

bool isKeyLine(const QByteArray& line, const QByteArray& key)
{
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && line.left(equals).trimmed() == key;
}

QString unquoted(const QByteArray& raw)
{
    const QByteArray value = raw.trimmed();
    if (value.size() < 2 || !value.startsWith('"') || !value.endsWith('"'))
        return QString::fromUtf8(value);
    QByteArray result;
    for (qsizetype i = 1; i + 1 < value.size(); ++i) {
        if (value.at(i) == '\\' && i + 2 < value.size())
            ++i;
        result.append(value.at(i));
    }
    return QString::fromUtf8(result);
}

QByteArray stored(const QString& value)
{
    static const QByteArray plain("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ._-");
    const QByteArray bytes = value.toUtf8();
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return plain.contains(c); }))
        return bytes;
    QByteArray quoted("\"");
    for (char c : bytes) {
        if (c == '"' || c == '\\')
            quoted.append('\\');
        quoted.append(c);
    }
    return quoted + '"';
}

} // namespace

std::optional<QString> iniValue(const QByteArray& text, const QString& section, const QString& key)
{
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    bool inSection = false;
    for (const QByteArray& line : linesOf(text)) {
        if (const std::optional<QByteArray> name = sectionName(line)) {
            inSection = *name == wantedSection;
            continue;
        }
        if (inSection && isKeyLine(line, wantedKey))
            return unquoted(line.mid(line.indexOf('=') + 1));
    }
    return std::nullopt;
}

QByteArray withIniValue(const QByteArray& text, const QString& section, const QString& key,
                        const QString& value)
{
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    const QByteArray newLine = wantedKey + '=' + stored(value);
    QList<QByteArray> lines = linesOf(text);
    bool inSection = false;
    qsizetype sectionEnd = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<QByteArray> name = sectionName(lines.at(i))) {
            inSection = *name == wantedSection;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (isKeyLine(lines.at(i), wantedKey)) {
            lines[i] = newLine;
            return lines.join('\n') + '\n';
        }
        if (!lines.at(i).trimmed().isEmpty())
            sectionEnd = i + 1;
    }
    if (sectionEnd >= 0) {
        lines.insert(sectionEnd, newLine);
    } else {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append('[' + wantedSection + ']');
        lines.append(newLine);
    }
    return lines.join('\n') + '\n';
}

} // namespace ruvo
