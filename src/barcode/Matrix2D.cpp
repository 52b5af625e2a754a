#include "barcode/Matrix2D.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "barcode/QrMask.h"

#include <zint.h>

#include <QRegularExpression>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

// What libzint is asked for per type, and how the matrix is drawn.
struct TMatrixSymbology {
    TBarcodeType type;
    int zint;      // libzint's symbology
    int inputMode; // libzint's input mode
    int32_t quietModules;
    int32_t rowModules;
};

// Quiet zones: QR Code 4 modules (ISO/IEC 18004), Data Matrix 1 (ISO/IEC 16022), PDF417 2 on
// every side (ISO/IEC 15438, whose rows are at least 3 modules high), Aztec Code none (ISO/IEC
// 24778: the bullseye finds the symbol).
constexpr TMatrixSymbology Symbologies[] = {
    {btQrCode, BARCODE_QRCODE, UNICODE_MODE, 4, 1},
    {btDataMatrix, BARCODE_DATAMATRIX, UNICODE_MODE, 1, 1},
    {btGs1DataMatrix, BARCODE_DATAMATRIX, GS1_MODE, 1, 1},
    {btPdf417, BARCODE_PDF417, UNICODE_MODE, 2, 3},
    {btAztec, BARCODE_AZTEC, UNICODE_MODE, 0, 1},
};
static_assert(std::size(Symbologies) == BarcodeTypeCount - LinearBarcodeTypeCount,
              "one row per two-dimensional type");

constexpr bool SymbologiesInCodeOrder() {
    for (int i = 0; i < int(std::size(Symbologies)); ++i)
        if (Symbologies[i].type != LinearBarcodeTypeCount + i)
            return false;
    return true;
}
static_assert(SymbologiesInCodeOrder(), "rows are indexed by type code");

// The square Data Matrix ECC 200 sizes in libzint's numbering (size option 1..24).
constexpr int DataMatrixSides[] = {10, 12, 14, 16, 18, 20, 22, 24, 26,  32,  36,  40,
                                   44, 48, 52, 64, 72, 80, 88, 96, 104, 120, 132, 144};

constexpr int QrVersionCount = 40;
// libzint's QR Code mask option: (mask + 1) << 8, 0 for its own choice
constexpr int QrZintMask0 = 1 << 8;
// ECI 26 is UTF-8.
constexpr int Utf8Eci = 26;
// Longer than any symbol holds (7,089 digits in a version 40-L QR Code): the encoder is spared.
constexpr qsizetype MaxInputBytes = 8192;

// GS1 identifiers whose value ends in a mod-10 check digit, with the value's length.
struct TCheckedAi {
    const char* ai;
    int digits;
};
constexpr TCheckedAi CheckedAis[] = {
    {"00", 18},  {"01", 14},  {"02", 14},  {"410", 13}, {"411", 13},  {"412", 13},  {"413", 13},
    {"414", 13}, {"415", 13}, {"416", 13}, {"417", 13}, {"8017", 18}, {"8018", 18},
};

const TMatrixSymbology* Symbology(TBarcodeType type) {
    return IsMatrixBarcodeType(type) ? &Symbologies[type - LinearBarcodeTypeCount] : nullptr;
}

struct TZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using TZintSymbol = std::unique_ptr<zint_symbol, TZintDeleter>;

bool IsAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// libzint's message without its number ("Warning 261: AI (17) ..." -> "AI (17) ...").
QString ZintReason(const zint_symbol& s) {
    static const QRegularExpression number(QStringLiteral("^(Warning |Error )?\\d+: "));
    return QString::fromUtf8(s.errtxt).remove(number);
}

// The first element of bracketed GS1 data whose check digit is wrong; empty when none is.
QString WrongGs1CheckDigit(const QString& data) {
    static const QRegularExpression element(QStringLiteral("\\[(\\d{2,4})\\]([^\\[]*)"));
    for (auto it = element.globalMatch(data); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString ai = m.captured(1);
        const QString value = m.captured(2);
        for (const TCheckedAi& checked : CheckedAis) {
            if (ai != QLatin1String(checked.ai) || value.size() != checked.digits)
                continue;
            if (!std::all_of(value.begin(), value.end(), [](QChar c) { return c.isDigit(); }))
                continue;
            if (Mod10CheckDigit(value.left(value.size() - 1)) != value.back())
                return ai;
        }
    }
    return {};
}

// One libzint run; size is libzint's size option (0 automatic).
TZintSymbol Run(const TMatrixSymbology& s, const QByteArray& bytes, const TMatrixOptions& o,
                int size, int& status) {
    TZintSymbol symbol(ZBarcode_Create());
    if (!symbol) {
        status = ZINT_ERROR_MEMORY;
        return symbol;
    }
    zint_symbol& z = *symbol;
    z.symbology = s.zint;
    z.input_mode = s.inputMode;
    z.show_hrt = 0;
    if (s.inputMode != GS1_MODE && !IsAscii(bytes))
        z.eci = Utf8Eci;
    if (s.type == btQrCode) {
        z.option_1 = std::clamp(int(o.qrEcc), 0, QrEccLevelCount - 1) + 1;
        // libzint's own mask choice is slow; it is asked for mask 0 and ChooseQrMask picks
        z.option_3 = QrZintMask0;
    }
    if (s.zint == BARCODE_DATAMATRIX)
        z.option_3 = DM_SQUARE;
    z.option_2 = size;
    status = ZBarcode_Encode(
        symbol.get(), reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
    return symbol;
}

// libzint's size option for a minimum size, and the size option a symbol has.
int SizeOption(TBarcodeType type, const TMatrixOptions& o) {
    if (type == btQrCode)
        return o.qrVersion >= 1 && o.qrVersion <= QrVersionCount ? o.qrVersion : 0;
    if (type == btDataMatrix || type == btGs1DataMatrix) {
        const auto* it =
            std::find(std::begin(DataMatrixSides), std::end(DataMatrixSides), o.dmSize);
        return it == std::end(DataMatrixSides) ? 0 : int(it - std::begin(DataMatrixSides)) + 1;
    }
    return 0;
}

int SymbolSizeOption(TBarcodeType type, const zint_symbol& z) {
    if (type == btQrCode)
        return (z.width - 17) / 4;
    const auto* it = std::find(std::begin(DataMatrixSides), std::end(DataMatrixSides), z.width);
    return it == std::end(DataMatrixSides) ? 0 : int(it - std::begin(DataMatrixSides)) + 1;
}

TMatrixEncoding Refused(TMatrixRefusal refusal, const QString& reason) {
    TMatrixEncoding e;
    e.refusal = refusal;
    e.reason = reason;
    return e;
}

} // namespace

TMatrixEncoding EncodeMatrix(TBarcodeType type, const QString& data,
                             const TMatrixOptions& options) {
    const TMatrixSymbology* s = Symbology(type);
    if (!s)
        return Refused(
            TMatrixRefusal::Invalid,
            QString::fromLatin1(MatrixText::Invalid).arg(QStringLiteral("not a 2D type")));
    if (data.isEmpty())
        return Refused(TMatrixRefusal::NoData, QString::fromLatin1(MatrixText::NoData));
    const QByteArray bytes = data.toUtf8();
    if (bytes.size() > MaxInputBytes)
        return Refused(TMatrixRefusal::TooLong, QString::fromLatin1(MatrixText::TooLong));
    if (s->inputMode == GS1_MODE) {
        const QString ai = WrongGs1CheckDigit(data);
        if (!ai.isEmpty())
            return Refused(TMatrixRefusal::Gs1CheckDigit,
                           QString::fromLatin1(MatrixText::Gs1CheckDigit).arg(ai));
    }

    int status = 0;
    TZintSymbol symbol = Run(*s, bytes, options, 0, status);
    const int minimum = SizeOption(type, options);
    if (symbol && status < ZINT_ERROR && minimum > SymbolSizeOption(type, *symbol))
        symbol = Run(*s, bytes, options, minimum, status);
    // libzint only warns about GS1 data that breaks the GS1 rules; such a symbol is refused
    const bool gs1Fault = s->inputMode == GS1_MODE && status == ZINT_WARN_NONCOMPLIANT;
    if (!symbol || status >= ZINT_ERROR || gs1Fault) {
        if (status == ZINT_ERROR_TOO_LONG)
            return Refused(TMatrixRefusal::TooLong, QString::fromLatin1(MatrixText::TooLong));
        const QString why = symbol ? ZintReason(*symbol) : QStringLiteral("out of memory");
        static const QRegularExpression checksum(QStringLiteral("^AI \\((\\d+)\\).*checksum"));
        if (const QRegularExpressionMatch m = checksum.match(why); gs1Fault && m.hasMatch())
            return Refused(TMatrixRefusal::Gs1CheckDigit,
                           QString::fromLatin1(MatrixText::Gs1CheckDigit).arg(m.captured(1)));
        if (s->inputMode == GS1_MODE)
            return Refused(TMatrixRefusal::Gs1Syntax,
                           QString::fromLatin1(MatrixText::Gs1Syntax).arg(why));
        return Refused(TMatrixRefusal::Invalid, QString::fromLatin1(MatrixText::Invalid).arg(why));
    }

    TMatrixEncoding e;
    TModuleMatrix& mx = e.matrix;
    const zint_symbol& z = *symbol;
    mx.columns = z.width;
    mx.rows = z.rows;
    mx.rowModules = s->rowModules;
    mx.quietModules = s->quietModules;
    mx.dark.resize(size_t(mx.rows) * size_t(mx.columns));
    for (int32_t r = 0; r < mx.rows; ++r)
        for (int32_t c = 0; c < mx.columns; ++c)
            mx.dark[size_t(r) * size_t(mx.columns) + size_t(c)] =
                (z.encoded_data[r][c >> 3] >> (c & 7)) & 1;
    if (type == btQrCode)
        ChooseQrMask(mx.dark, mx.columns);
    return e;
}

QString MatrixInterpretationText(TBarcodeType type, const QString& data) {
    QString text = data;
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    if (type == btGs1DataMatrix) {
        text.replace(QLatin1Char('['), QLatin1Char('('));
        text.replace(QLatin1Char(']'), QLatin1Char(')'));
    }
    return text;
}

bool UsesQrEcc(TBarcodeType type) {
    return type == btQrCode;
}

std::vector<int> MatrixSizeChoices(TBarcodeType type) {
    std::vector<int> sizes;
    if (type == btQrCode)
        for (int v = 1; v <= QrVersionCount; ++v)
            sizes.push_back(v);
    else if (type == btDataMatrix || type == btGs1DataMatrix)
        sizes.assign(std::begin(DataMatrixSides), std::end(DataMatrixSides));
    return sizes;
}

QString MatrixSizeText(TBarcodeType type, int size) {
    if (type == btQrCode) {
        const int side = 17 + 4 * size;
        return QStringLiteral("Version %1 (%2 x %2)").arg(size).arg(side);
    }
    return QStringLiteral("%1 x %1").arg(size);
}
