#include "barcode/PrnBarcode.h"

namespace {

bool IsCode39Char(QChar c) {
    static constexpr char Table[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -.$/+%*";
    const char16_t u = c.unicode();
    if (u > 127)
        return false;
    for (const char* p = Table; *p; ++p)
        if (*p == static_cast<char>(u))
            return true;
    return false;
}

bool Keeps(TKeptCharacters kept, QChar c) {
    const char16_t u = c.unicode();
    switch (kept) {
    case TKeptCharacters::Code39:
        return IsCode39Char(c);
    case TKeptCharacters::Ascii:
        return u >= 1 && u <= 127;
    case TKeptCharacters::Digits:
        return u >= '0' && u <= '9';
    case TKeptCharacters::Any:
        return true;
    }
    return false;
}

// The row of a linear type; the two-dimensional types have no bars to count or draw here.
const TBarcodeTypeInfo* LinearInfo(TBarcodeType type) {
    return IsLinearBarcodeType(type) ? BarcodeTypeInfo(type) : nullptr;
}

} // namespace

namespace {
// The one rule of normalisation; dropped collects what is left out when given.
QString Normalized(const TBarcodeTypeInfo& info, const QString& text, QString* dropped) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (info.kept == TKeptCharacters::Code39 && c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(char16_t(c.unicode() - 'a' + 'A'));
        if (Keeps(info.kept, c))
            out += c;
        else if (dropped && !dropped->contains(c))
            *dropped += c;
    }
    return out;
}
} // namespace

QString NormalizeBarcodeData(TBarcodeType type, const QString& text) {
    const TBarcodeTypeInfo* info = BarcodeTypeInfo(type);
    if (!info)
        return text;
    QString out = Normalized(*info, text, nullptr);
    if (info->maxLength > 0 && out.size() > info->maxLength)
        out.truncate(info->maxLength);
    return out;
}

QString NormalizeBarcodeData(TBarcodeType type, const QString& text, TNormalizeReport& report) {
    report = {};
    const TBarcodeTypeInfo* info = BarcodeTypeInfo(type);
    if (!info) {
        report.Kept = text;
        return text;
    }
    report.Kept = Normalized(*info, text, &report.Dropped);
    if (info->maxLength > 0 && report.Kept.size() > info->maxLength) {
        report.Cut = report.Kept.size() - info->maxLength;
        return report.Kept.left(info->maxLength);
    }
    return report.Kept;
}

int32_t SymbolExtent(TBarcodeType type, const QString& data, int32_t m) {
    const TBarcodeTypeInfo* info = LinearInfo(type);
    if (!info)
        return 0;
    const int32_t modules = 2 * QuietZoneModules + (data.isEmpty()  ? 0
                                                    : info->modules ? info->modules(data)
                                                                    : info->fixedModules);
    return modules * m;
}

QChar Mod10CheckDigit(const QString& digits) {
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += (digits[i].unicode() - '0') * weight;
        weight = 4 - weight;
    }
    const int rest = ((sum % 10) + 10) % 10;
    return QLatin1Char(char('0' + (rest == 0 ? 0 : 10 - rest)));
}

QString LeftPad(const QString& text, int n) {
    if (text.size() >= n)
        return text;
    return QString(n - text.size(), QLatin1Char('0')) + text;
}

int32_t TextBandDepth(TBarcodeType type, int32_t m, bool interpret) {
    const TBarcodeTypeInfo* info = LinearInfo(type);
    if (!info || !interpret)
        return 0;
    return info->bandModules * m;
}

TSymbolGeometry SymbolGeometry(TBarcodeType type, int32_t x, int32_t y, int32_t m, int32_t cross,
                               const QString& data, bool interpret, int rotation) {
    TSymbolGeometry g;
    const int32_t extent = SymbolExtent(type, data, m);
    const bool vertical = IsVertical(rotation);
    g.box = vertical ? QRect(x, y, cross, extent) : QRect(x, y, extent, cross);
    g.barX = vertical ? x : x + QuietZoneModules * m;
    g.barY = vertical ? y + QuietZoneModules * m : y;
    const int32_t band = TextBandDepth(type, m, interpret);
    const TBarcodeTypeInfo* info = LinearInfo(type);
    if (info && band > 0) {
        // the band turns with the symbol: the bars move past it where it comes first
        if (info->textSide == TTextSide::Below) {
            if (rotation == 1)
                g.barX += band;
            else if (rotation == 2)
                g.barY += band;
        } else if (info->textSide == TTextSide::Above) {
            if (rotation == 0)
                g.barY += band;
            else if (rotation == 3)
                g.barX += band;
        }
    }
    g.barLength = cross - band;
    return g;
}

void EncodeBarcode(TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y, int rotation,
                   const QString& data, int32_t m, int32_t barLength) {
    const TBarcodeTypeInfo* info = LinearInfo(type);
    if (!info || data.isEmpty())
        return;
    info->encode(canvas, x, y, rotation, data, m, barLength);
}

void DrawBarcodeBars(TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y, int32_t m,
                     int32_t cross, const QString& data, bool interpret, int rotation) {
    const TSymbolGeometry g = SymbolGeometry(type, x, y, m, cross, data, interpret, rotation);
    EncodeBarcode(canvas, type, g.barX, g.barY, rotation, data, m, g.barLength);
}
