#include "merge/SheetFormatCode.h"

namespace {
bool StartsWithAt(const QString& text, qsizetype at, QLatin1StringView word) {
    return QStringView(text).mid(at, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// The piece a bracket holds ([Red], [$€-407], [h], [>=100]).
bool BracketPiece(const QString& inside, TCodePiece& piece) {
    if (inside.startsWith(u'$')) {
        const qsizetype dash = inside.indexOf(u'-');
        piece = {TCodePiece::Literal, inside.mid(1, dash < 0 ? -1 : dash - 1)};
        return !piece.text.isEmpty();
    }
    const QString lower = inside.toLower();
    if (!lower.isEmpty() &&
        (lower.count(u'h') == lower.size() || lower.count(u'm') == lower.size() ||
         lower.count(u's') == lower.size())) {
        piece = {TCodePiece::Elapsed, lower};
        return true;
    }
    if (!inside.isEmpty() && QStringLiteral("<>=").contains(inside.front())) {
        piece = {TCodePiece::Condition, inside};
        return true;
    }
    return false; // a colour or a locale switch: shows nothing
}
} // namespace

namespace SheetFormatCode {
QStringList Sections(const QString& code) {
    QStringList sections;
    QString current;
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (!quoted && !bracket && c == u'\\' && i + 1 < code.size()) {
            current += c;
            current += code.at(++i);
            continue;
        }
        if (c == u'"' && !bracket)
            quoted = !quoted;
        else if (!quoted && c == u'[')
            bracket = true;
        else if (!quoted && c == u']')
            bracket = false;
        else if (!quoted && !bracket && c == u';') {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

std::vector<TCodePiece> Pieces(const QString& section) {
    std::vector<TCodePiece> pieces;
    const qsizetype n = section.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = section.at(i);
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? n : end;
            pieces.push_back({TCodePiece::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'\\') {
            if (i + 1 < n)
                pieces.push_back({TCodePiece::Literal, QString(section.at(++i))});
        } else if (c == u'_') {
            ++i; // a space as wide as the next character
            pieces.push_back({TCodePiece::Literal, QStringLiteral(" ")});
        } else if (c == u'*') {
            ++i; // fills the cell's width: nothing on a label
        } else if (c == u'[') {
            const qsizetype end = section.indexOf(u']', i + 1);
            const qsizetype stop = end < 0 ? n : end;
            TCodePiece piece{TCodePiece::Literal, {}};
            if (BracketPiece(section.mid(i + 1, stop - i - 1), piece))
                pieces.push_back(piece);
            i = stop;
        } else if (StartsWithAt(section, i, QLatin1StringView("General"))) {
            pieces.push_back({TCodePiece::General, {}});
            i += 6;
        } else if (StartsWithAt(section, i, QLatin1StringView("AM/PM"))) {
            pieces.push_back({TCodePiece::AmPm, section.mid(i, 5)});
            i += 4;
        } else if (StartsWithAt(section, i, QLatin1StringView("A/P"))) {
            pieces.push_back({TCodePiece::AmPm, section.mid(i, 3)});
            i += 2;
        } else {
            pieces.push_back({TCodePiece::Char, QString(c)});
        }
    }
    return pieces;
}

bool IsDate(const std::vector<TCodePiece>& pieces) {
    for (const TCodePiece& p : pieces) {
        if (p.kind == TCodePiece::Elapsed)
            return true;
        if (p.kind == TCodePiece::Char && QStringLiteral("ymdhsYMDHS").contains(p.text))
            return true;
    }
    return false;
}
} // namespace SheetFormatCode
