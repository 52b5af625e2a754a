#include "merge/dialogs/KeyFilters.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
bool IsLineControl(QChar c) {
    return c == u'\b' || c == u'\n' || c == u'\r';
}

// The characters date formats are written with.
bool IsDateFormatCharacter(QChar c) {
    return c == u' ' || QStringView(u",-/:adhmnpsy").contains(c);
}
} // namespace

bool AcceptsCharacter(TKeyFilter filter, QChar c) {
    switch (filter) {
    case TKeyFilter::Any:
        return true;
    case TKeyFilter::Digits:
        return IsLineControl(c) || (c >= u'0' && c <= u'9');
    case TKeyFilter::DateFormat:
        return IsLineControl(c) || IsDateFormatCharacter(c);
    }
    return true;
}

TKeyFilterObject::TKeyFilterObject(TKeyFilter filter, QObject* parent)
    : QObject(parent), m_filter(filter) {}

bool TKeyFilterObject::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || text.front() < u' ' || text.front() == QChar(0x7f))
        return false; // no character: editing and moving keys
    for (QChar c : text)
        if (!AcceptsCharacter(m_filter, c))
            return true;
    return false;
}

void FilterKeys(QLineEdit* edit, TKeyFilter filter) {
    if (filter != TKeyFilter::Any)
        edit->installEventFilter(new TKeyFilterObject(filter, edit));
}
