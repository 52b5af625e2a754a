#include "merge/FieldPadding.h"

#include "platform/TextEncoding.h"

namespace {
qsizetype Missing(const QString& text, int32_t minLength, QChar pad) {
    if (pad.isNull() || minLength <= text.size())
        return 0;
    return minLength - text.size();
}
} // namespace

QString PadOnLeft(const QString& text, int32_t minLength, QChar pad) {
    const qsizetype missing = Missing(text, minLength, pad);
    return missing == 0 ? text : QString(missing, pad) + text;
}

QString PadOnRight(const QString& text, int32_t minLength, QChar pad) {
    const qsizetype missing = Missing(text, minLength, pad);
    return missing == 0 ? text : text + QString(missing, pad);
}

QChar PadCharacter(uint8_t code) {
    const char byte = char(code);
    return DecodeWindows1252(QByteArrayView(&byte, 1)).at(0);
}
