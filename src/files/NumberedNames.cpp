#include "files/NumberedNames.h"

#include <algorithm>

std::vector<int32_t> NumberedNames(const QStringList& names, const QString& prefix, int32_t last) {
    std::vector<int32_t> numbers;
    for (const QString& name : names) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString digits = name.mid(prefix.size());
        bool ok = false;
        const int32_t n = digits.toInt(&ok);
        // Only the form the numbers are written in: "CNT_01" or "CNT_+1" is another section.
        if (ok && n >= 1 && n <= last && digits == QString::number(n))
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}
