#include "files/EscapeText.h"

QString EscapeText(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\n");
            break;
        case '\n':
            break;
        case ' ':
            out += QLatin1String("\\s");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString UnescapeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == n) {
            out += c;
            continue;
        }
        switch (text[++i].unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 's':
            out += QLatin1Char(' ');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'n':
            out += QLatin1String("\r\n");
            break;
        default:
            break; // unknown escapes vanish with their backslash
        }
    }
    return out;
}
