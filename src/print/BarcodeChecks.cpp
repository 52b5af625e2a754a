#include "print/BarcodeChecks.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "barcode/SymbolLength.h"
#include "print/PreflightTexts.h"

namespace {
constexpr qsizetype QuotedLength = 60;

QString TypeName(TBarcodeType type) {
    return BarcodeListText(type);
}

// "é", "é" and "~" — each character that was dropped, quoted.
QString CharacterList(const QString& dropped) {
    QStringList each;
    for (const QChar c : dropped)
        each << QLatin1Char('"') + Quoted(QString(c)) + QLatin1Char('"');
    return each.join(QStringLiteral(", "));
}
} // namespace

QString Quoted(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (out.size() >= QuotedLength) {
            out += QChar(0x2026);
            break;
        }
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QStringList BarcodeDataProblems(TBarcodeType type, const QString& text) {
    QStringList problems;
    TNormalizeReport report;
    const QString data = NormalizeBarcodeData(type, text, report);
    if (!report.Dropped.isEmpty())
        problems << QString::fromLatin1(PreflightText::Dropped)
                        .arg(Quoted(text), TypeName(type), CharacterList(report.Dropped));
    if (data.isEmpty()) {
        problems << QString::fromLatin1(PreflightText::Empty);
        return problems;
    }
    const TLengthReport length = SymbolLengthReport(type, report.Kept);
    if (!length.Fits)
        problems << QString::fromLatin1(PreflightText::Length)
                        .arg(Quoted(report.Kept))
                        .arg(report.Kept.size())
                        .arg(TypeName(type), QString::fromLatin1(length.Takes));
    if (!length.CarriedCheck.isNull() && length.CarriedCheck != length.ComputedCheck)
        problems << QString::fromLatin1(PreflightText::CheckDigit)
                        .arg(Quoted(report.Kept), QString(length.CarriedCheck), TypeName(type),
                             QString(length.ComputedCheck));
    return problems;
}
