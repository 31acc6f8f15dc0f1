#include "PhotoNaming.h"

#include <QChar>

namespace PhotoNaming {

namespace {

bool isRefusedCharacter(char32_t c)
{
    if (c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0)) // C0, DEL, C1
        return true;
    if (c == 0x2028 || c == 0x2029) // line and paragraph separators
        return true;
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

bool isSpace(char32_t c)
{
    return QChar::isSpace(c);
}

} // namespace

int dayOfYear(const QDate &date)
{
    return date.dayOfYear() - 1;
}

QString datePrefix(const QDate &date)
{
    return QString::asprintf("%04d-%02d-%02d_", date.year(), date.month(), date.day());
}

QString sanitizedCustomPrefix(const QString &custom)
{
    // Work on code points so that a character outside the BMP is kept or cut as a whole.
    const QList<uint> in = custom.toUcs4();
    std::u32string cleaned;
    cleaned.reserve(in.size());
    for (uint c : in) {
        const char32_t ch = c;
        if (QChar::category(ch) == QChar::Other_Format)
            continue;
        if (isRefusedCharacter(ch))
            cleaned.push_back(U'-');
        else if (ch == U'.' && !cleaned.empty() && cleaned.back() == U'.')
            continue; // a run of dots collapses to one
        else
            cleaned.push_back(ch);
    }

    // Leading white space, dots and dashes, in any mix, then trailing white space. A dash
    // would make the photo look like an option to command-line tools, and is what a leading
    // separator became above.
    size_t begin = 0;
    while (begin < cleaned.size()
           && (isSpace(cleaned[begin]) || cleaned[begin] == U'.' || cleaned[begin] == U'-'))
        ++begin;
    size_t end = cleaned.size();
    while (end > begin && isSpace(cleaned[end - 1]))
        --end;

    QString out;
    int bytes = 0;
    int characters = 0;
    for (size_t i = begin; i < end && characters < MaxPrefixCharacters; ++i) {
        const char32_t ch = cleaned[i];
        const int size = ch < 0x80 ? 1 : ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
        if (bytes + size > MaxPrefixBytes)
            break;
        bytes += size;
        ++characters;
        out.append(QString::fromUcs4(&ch, 1));
    }
    // Cutting may have left white space at the end.
    while (!out.isEmpty() && out.back().isSpace())
        out.chop(1);
    return out;
}

QString photoPrefix(bool useCustomPrefix, const QString &customPrefix, const QDate &date)
{
    if (useCustomPrefix) {
        // Custom naming with nothing usable typed falls back to the date, so that photos still
        // get a meaningful name instead of "_0001.jpg".
        const QString custom = sanitizedCustomPrefix(customPrefix);
        if (!custom.isEmpty())
            return custom + QLatin1Char('_');
    }
    return datePrefix(date);
}

QString photoPath(const QString &folder, const QString &prefix, qint64 number, const QString &extension)
{
    // One multi-argument arg() so that a '%' in the folder or prefix is never substituted.
    const QString digits = QString::number(number).rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("%1/%2%3.%4").arg(folder, prefix, digits, extension);
}

QString exifTimeStamp(const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    return QString::asprintf("%04d:%02d:%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second());
}

} // namespace PhotoNaming
