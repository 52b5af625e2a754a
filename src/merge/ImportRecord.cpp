#include "merge/ImportRecord.h"

qsizetype NamedColumn(const TImportRecord& columns, const QString& name) {
    const qsizetype exact = columns.indexOf(name);
    if (exact >= 0 || name.isEmpty())
        return exact;
    const QString wanted = name.trimmed();
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
