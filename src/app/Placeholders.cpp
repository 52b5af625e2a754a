#include "app/Placeholders.h"

#include "platform/Errors.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

QString FillPlaceholders(QString text, const std::vector<std::pair<QString, QString>>& values,
                         const QString& templateName) {
    // Placeholders are found in the template before any value goes in, so that a value
    // containing @WORD@ (an address, say) is never taken for one.
    static const QRegularExpression placeholder(QStringLiteral("@([A-Z_]+)@"));
    QString out;
    qsizetype from = 0;
    QStringList used;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const auto value = std::find_if(values.begin(), values.end(),
                                        [&](const auto& v) { return v.first == m.captured(1); });
        if (value == values.end())
            throw TUserError(QStringLiteral("%1 has a placeholder this program does not fill: %2")
                                 .arg(templateName, m.captured(0)));
        out += text.mid(from, m.capturedStart() - from) + value->second;
        from = m.capturedEnd();
        used << value->first;
    }
    out += text.mid(from);
    for (const auto& [name, value] : values)
        if (!used.contains(name))
            throw TUserError(
                QStringLiteral("%1 lacks the placeholder @%2@").arg(templateName, name));
    return out;
}
