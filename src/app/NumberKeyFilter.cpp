#include "app/NumberKeyFilter.h"

#include <QKeyEvent>

bool IsNumberFieldCharacter(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
           c == QLatin1Char('.') || c == QLatin1Char('\b') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

bool TNumberKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    for (QChar c : text)
        if (c.isPrint() && !IsNumberFieldCharacter(c))
            return true;
    return false;
}
