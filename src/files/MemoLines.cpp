#include "files/MemoLines.h"

namespace {
bool IsBreak(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
} // namespace

QStringList SplitMemoLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!IsBreak(text[i]))
            continue;
        lines << text.mid(start, i - start);
        if (i + 1 < n && IsBreak(text[i + 1]))
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}

QString JoinMemoLines(const QStringList& lines) {
    return lines.join(QLatin1String("\r\n"));
}
