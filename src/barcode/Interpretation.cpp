#include "barcode/Interpretation.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/Code128.h"
#include "barcode/Code39.h"
#include "barcode/Interleaved2of5.h"
#include "barcode/PrnBarcode.h"
#include "barcode/UpcEan.h"

#include <array>

namespace {

using TPieces = std::vector<TInterpretationPiece>;
using TPieceBuilder = TPieces (*)(const QString& data);

const QString Space = QStringLiteral(" ");

TPieces CentredBottom(const QString& text) {
    return {{text, TPieceAlong::Centre, TPieceAcross::Bottom}};
}

TPieces CentredTop(const QString& text) {
    return {{text, TPieceAlong::Centre, TPieceAcross::Top}};
}

TPieces PlainData(const QString& data) {
    return CentredBottom(data);
}

TPieces DataOnTop(const QString& data) {
    return CentredTop(data);
}

TPieces NoText(const QString&) {
    return {};
}

TPieces Code39WithCheck(const QString& data, int modulus) {
    return CentredBottom(data + QStringLiteral("  (") + Code39CheckCharacter(data, modulus) +
                         QStringLiteral(")"));
}
TPieces Code39Mod43Text(const QString& data) {
    return Code39WithCheck(data, 43);
}
TPieces Code39Mod10Text(const QString& data) {
    return Code39WithCheck(data, 10);
}

TPieces UpcAText(const QString& data) {
    const QString d = UpcADigits(data);
    return {
        {d.mid(0, 1), TPieceAlong::LeftEdge, TPieceAcross::Bottom},
        {d.mid(1, 5), TPieceAlong::BeforeCentre, TPieceAcross::Bottom},
        {d.mid(6, 5), TPieceAlong::AfterCentre, TPieceAcross::Bottom},
        {d.mid(11, 1), TPieceAlong::RightEdge, TPieceAcross::Bottom},
    };
}

TPieces Ean13Text(const QString& data) {
    const QString d = Ean13Digits(data);
    return {
        {d.mid(0, 1), TPieceAlong::LeftEdge, TPieceAcross::Bottom},
        {d.mid(1, 6) + Space + d.mid(7, 6), TPieceAlong::Centre, TPieceAcross::Bottom},
    };
}

TPieces UpcEText(const QString& data) {
    const QString d = LeftPad(data, 6);
    return {
        {QStringLiteral("0"), TPieceAlong::LeftEdge, TPieceAcross::Bottom},
        {d, TPieceAlong::Centre, TPieceAcross::Bottom},
        {QString(UpcECheckDigit(d)), TPieceAlong::RightEdge, TPieceAcross::Bottom},
    };
}

// "(01) " or "(00) " and the digits after the identifier in groups: 1, 7, the rest, the check.
QString ContainerGroups(const QString& g, qsizetype middle) {
    return QStringLiteral("(") + g.mid(0, 2) + QStringLiteral(") ") + g.mid(2, 1) + Space +
           g.mid(3, 7) + Space + g.mid(10, middle) + Space + g.mid(10 + middle, 1);
}

TPieces Ssc14Text(const QString& data) {
    return CentredTop(ContainerGroups(Ssc14Digits(data), 5));
}

TPieces Sscc18Text(const QString& data) {
    return CentredTop(ContainerGroups(Sscc18Digits(data), 9));
}

TPieces Ssc14ItfText(const QString& data) {
    const QString d = Ssc14ItfDigits(data);
    return CentredBottom(d.mid(0, 1) + Space + d.mid(1, 2) + Space + d.mid(3, 5) + Space +
                         d.mid(8, 5) + Space + d.mid(13, 1));
}

// The text of each type, indexed by type code.
constexpr std::array<TPieceBuilder, BarcodeTypeCount> Builders = {
    PlainData,       // btCode128
    PlainData,       // btCode39
    PlainData,       // btCode39Extended
    UpcAText,        // btUpcA
    PlainData,       // btInterleaved2of5
    PlainData,       // btCode93
    Ean13Text,       // btEan13
    PlainData,       // btEan8
    PlainData,       // btEan128
    NoText,          // btPostnet
    UpcEText,        // btUpcE
    DataOnTop,       // btUpcAddOn2
    DataOnTop,       // btUpcAddOn5
    Ssc14Text,       // btSsc14
    Ssc14ItfText,    // btSsc14Itf
    Sscc18Text,      // btSscc18
    Code39Mod43Text, // btCode39Mod43
    Code39Mod10Text, // btCode39Mod10
    NoText,          // btQrCode: the two-dimensional types draw their own line (MatrixPainter)
    NoText,          // btDataMatrix
    NoText,          // btGs1DataMatrix
    NoText,          // btPdf417
    NoText,          // btAztec
};

bool IsContainerCode(TBarcodeType type) {
    return type == btSsc14 || type == btSsc14Itf || type == btSscc18;
}

} // namespace

TPieces InterpretationPieces(TBarcodeType type, const QString& data) {
    if (!IsBarcodeType(type) || data.isEmpty())
        return {};
    return Builders[type](data);
}

TInterpretationFont InterpretationFontFor(TBarcodeType type, int32_t m) {
    if (IsContainerCode(type))
        return {11 * m < 13 ? 13 : 11 * m, 800};
    return {12 * m <= 12 ? 14 : 12 * m, 400};
}

TBoxPoint PlacePiece(const TInterpretationPiece& piece, int32_t textWidth, int32_t cellHeight,
                     int32_t along, int32_t across, int32_t m) {
    TBoxPoint p;
    switch (piece.along) {
    case TPieceAlong::Centre:
        p.a = along / 2 - textWidth / 2;
        break;
    case TPieceAlong::LeftEdge:
        p.a = 0;
        break;
    case TPieceAlong::RightEdge:
        p.a = along - textWidth;
        break;
    case TPieceAlong::BeforeCentre:
        p.a = along / 2 - textWidth - 2 * m;
        break;
    case TPieceAlong::AfterCentre:
        p.a = along / 2 + 2 * m;
        break;
    }
    p.c = piece.across == TPieceAcross::Top ? 0 : across - cellHeight;
    return p;
}

QPoint MapBoxPoint(int rotation, TBoxPoint p, int32_t x, int32_t y, int32_t along, int32_t across) {
    switch (rotation) {
    case 1:
        return {x + across - p.c, y + p.a};
    case 2:
        return {x + along - p.a, y + across - p.c};
    case 3:
        return {x + p.c, y + along - p.a};
    default:
        return {x + p.a, y + p.c};
    }
}

int TextAngle(int rotation) {
    switch (rotation) {
    case 1:
        return 90;
    case 2:
        return 180;
    case 3:
        return 270;
    default:
        return 0;
    }
}
