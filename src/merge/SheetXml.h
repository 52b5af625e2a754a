#pragma once

#include <QString>
#include <QXmlStreamReader>

// The value of an attribute by its local name, whatever its namespace prefix (r:id, table:name):
// the formats' producers write them under differing namespaces (transitional and strict).
inline QString SheetAttribute(const QXmlStreamReader& xml, QLatin1StringView name) {
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == name)
            return a.value().toString();
    return {};
}

// True when the reader stands on the start of an element of that local name.
inline bool IsStart(const QXmlStreamReader& xml, QLatin1StringView name) {
    return xml.isStartElement() && xml.name() == name;
}
inline bool IsEnd(const QXmlStreamReader& xml, QLatin1StringView name) {
    return xml.isEndElement() && xml.name() == name;
}
