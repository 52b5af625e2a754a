#include "print/RecordCopies.h"

#include "platform/Errors.h"

#include <QFileInfo>

namespace {
const char* const kRule = "the copies field must hold a whole number from 0 to 9,999";
// Long enough to show what went wrong, short enough for one line.
constexpr qsizetype kShownValue = 40;

QString Shown(const QString& value) {
    return value.size() > kShownValue ? value.left(kShownValue) + QChar(0x2026) : value;
}
} // namespace

int32_t CopiesColumn(int32_t number, const QString& name, const TImportRecord& header,
                     const QString& dataFile) {
    if (!name.isEmpty()) {
        if (const qsizetype at = NamedColumn(header, name); at >= 0)
            return int32_t(at + 1);
    }
    if (number > 0)
        return number;
    throw TUserError(QStringLiteral("The data %1 has no column named \"%2\" to take each record's "
                                    "copies from; nothing was printed.")
                         .arg(QFileInfo(dataFile).fileName(), name));
}

TRecordCopies RecordCopies(const TImportRecord& record, int32_t column) {
    TRecordCopies r;
    if (column < 1 || column > record.size()) {
        r.Problem = QStringLiteral("has no field %1 to take its copies from").arg(column);
        return r;
    }
    const QString value = record.at(column - 1).trimmed();
    bool whole = !value.isEmpty() && value.size() <= 4;
    for (const QChar ch : value)
        whole = whole && ch >= u'0' && ch <= u'9';
    if (!whole) {
        r.Problem = QStringLiteral("asks for \"%1\" copies").arg(Shown(record.at(column - 1)));
        return r;
    }
    r.Copies = value.toInt();
    return r;
}

QString CopiesRefusal(const TCopiesProblem& p, const QString& dataFile) {
    return QStringLiteral("Record on line %1 of %2 %3; %4. Nothing was printed.")
        .arg(p.Line)
        .arg(QFileInfo(dataFile).fileName(), p.Problem, QLatin1String(kRule));
}

QString CopiesProblemText(const TCopiesProblem& p) {
    return p.Problem + QStringLiteral("; ") + QLatin1String(kRule);
}
