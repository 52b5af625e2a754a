#include "print/ControlCheck.h"

#include "barcode/BarcodeLabel.h"
#include "document/KindRegistry.h"
#include "document/TextRendering.h"
#include "platform/Rounding.h"
#include "platform/Units.h"
#include "print/BarcodeChecks.h"
#include "print/PreflightTexts.h"
#include "print/PrintU.h"

namespace {
// Distinct symbols are read back once; past this many the memory of them starts afresh, so a
// run of a million different symbols keeps its memory flat.
constexpr qsizetype ReadingMemory = 50000;
} // namespace

TControlCheck::TControlCheck(const TPrintScale& scale, bool metric,
                             const TPreflightOptions& options)
    : m_scale(scale), m_metric(metric), m_options(options) {}

QStringList TControlCheck::Problems(const TLabelControl& c, const QString& text,
                                    const QRect& labelRect) {
    m_found.clear();
    if (!KindTraits(c.Kind()).CarriesText)
        return m_found;
    const TPrintBox box = ControlPrintBox(c, labelRect, m_scale);
    if (c.Kind() == ckBarcode)
        CheckBarcode(c, text, box, labelRect);
    else if (!c.AutoSize())
        CheckText(c, text, box);
    return m_found;
}

// The box on paper: the clip reaches one screen pixel past it, for pens on its edge.
QRect TControlCheck::Room(const TPrintBox& box) const {
    return box.clip.adjusted(0, 0, -RoundHalfEven(m_scale.X), -RoundHalfEven(m_scale.Y));
}

QString TControlCheck::Length(int32_t pixels, bool vertical) const {
    const double inches = double(pixels) / (vertical ? m_scale.PrinterY : m_scale.PrinterX);
    return m_metric ? QStringLiteral("%1 cm").arg(inches * CentimetresPerInch, 0, 'f', 2)
                    : QStringLiteral("%1 in").arg(inches, 0, 'f', 2);
}

void TControlCheck::CheckBarcode(const TLabelControl& c, const QString& text, const TPrintBox& box,
                                 const QRect& labelRect) {
    const auto& bc = static_cast<const TBarcodeLabel&>(c);
    const TBarcodeType type = bc.BarcodeType();
    if (IsMatrixBarcodeType(type)) {
        CheckMatrix(bc, text, box);
        return;
    }
    m_found << BarcodeDataProblems(type, text);
    const QString data = NormalizeBarcodeData(type, text);
    if (data.isEmpty())
        return;
    const TBarcodePlacement at = PlaceBarcode(c, data, box, m_scale);
    CheckSymbolFits(c, at, box, labelRect);
    if (m_options.ReadBack && CanReadBack(type, data))
        CheckReading(type, data, at.m);
}

// A two-dimensional symbol: data the symbology cannot carry prints nothing; its text line
// wraps into the box's width and must fit below the symbol.
void TControlCheck::CheckMatrix(const TLabelControl& c, const QString& text, const TPrintBox& box) {
    const auto& bc = static_cast<const TBarcodeLabel&>(c);
    const TMatrixPlacement at = PlaceMatrix(bc, text, box, m_scale, nullptr);
    const TMatrixEncoding& e = at.encoding;
    if (e.refusal == TMatrixRefusal::NoData) {
        m_found << QString::fromLatin1(PreflightText::Empty);
        return;
    }
    if (!e.Valid()) {
        m_found << QString::fromLatin1(PreflightText::Refused)
                       .arg(Quoted(text), BarcodeListText(bc.BarcodeType()), e.reason);
        return;
    }
    if (at.text.lines.isEmpty())
        return;
    const TMatrixGeometry& g = at.geometry;
    const bool turned = IsVertical(g.rotation);
    const QString line = Quoted(MatrixInterpretationText(bc.BarcodeType(), text));
    if (at.text.Overflows())
        m_found << QString::fromLatin1(PreflightText::LineWord)
                       .arg(line, Quoted(at.text.WidestWord()), Length(at.text.width, turned),
                            Length(at.text.room, turned));
    const QRect band = MapBoxRect(g, 0, g.across - g.band, g.along, g.band);
    const QRect shown = band.intersected(Room(box));
    const int32_t left = turned ? shown.width() : shown.height();
    if (left < g.band) {
        const qsizetype n = at.text.lines.size();
        const QString lines = n == 1 ? QString::fromLatin1(PreflightText::OneLine)
                                     : QString::fromLatin1(PreflightText::Lines).arg(n);
        m_found << QString::fromLatin1(PreflightText::LineTall)
                       .arg(line, Length(g.band, !turned), lines,
                            Length(std::max(0, left), !turned));
    }
}

// The whole symbol, quiet zones included, must lie inside the box: a scanner needs the blank on
// either side as much as the bars. Says which edge cuts it, and by how much.
void TControlCheck::CheckSymbolFits(const TLabelControl& c, const TBarcodePlacement& at,
                                    const TPrintBox& box, const QRect& labelRect) {
    const QRect& symbol = at.geometry.box;
    const QRect room = Room(box);
    if (room.contains(symbol))
        return;
    const bool turned = c.Rotation() % 2 == 1;
    // A control without auto size is clipped to its box where its box lies on the label.
    const bool unclipped = c.AutoSize();
    struct TEdge {
        const char* name;
        int32_t cut;
        bool ofLabel;
        bool vertical; // the cut is measured up and down
    };
    const TEdge edges[] = {
        {"left", room.left() - symbol.left(), unclipped || box.x <= labelRect.left(), false},
        {"right", symbol.right() - room.right(), unclipped || box.x + box.w > labelRect.right() + 1,
         false},
        {"top", room.top() - symbol.top(), unclipped || box.y <= labelRect.top(), true},
        {"bottom", symbol.bottom() - room.bottom(),
         unclipped || box.y + box.h > labelRect.bottom() + 1, true},
    };
    QStringList clauses;
    for (const TEdge& e : edges) {
        if (e.cut <= 0)
            continue;
        const QString what =
            clauses.isEmpty() ? QString::fromLatin1(PreflightText::CutBarcode).arg(Quoted(at.data))
                              : QString::fromLatin1(PreflightText::CutAgain);
        QString clause =
            QString::fromLatin1(PreflightText::EdgeCut)
                .arg(QLatin1String(e.name),
                     QLatin1String(e.ofLabel ? PreflightText::OfLabel : PreflightText::OfBox), what,
                     Length(e.cut, e.vertical));
        // along the symbol the cut takes the quiet zone first
        if (e.vertical == turned)
            clause += QLatin1String(PreflightText::QuietZone);
        clauses << clause;
    }
    if (!clauses.isEmpty())
        m_found << clauses.join(QStringLiteral("; "));
}

void TControlCheck::CheckReading(TBarcodeType type, const QString& data, int32_t m) {
    const QString key =
        QString::number(type) + QLatin1Char('/') + QString::number(m) + QLatin1Char('/') + data;
    auto known = m_readings.constFind(key);
    if (known == m_readings.cend()) {
        if (m_readings.size() >= ReadingMemory)
            m_readings.clear();
        const QString expected = ExpectedReading(type, data);
        const TReading reading = ReadBackSymbol(type, data, m, m_options.Drawer);
        QString problem;
        if (!reading.Read)
            problem = QString::fromLatin1(PreflightText::Unreadable).arg(Quoted(expected));
        else if (reading.Text != expected)
            problem = QString::fromLatin1(PreflightText::ReadsOther)
                          .arg(Quoted(reading.Text), Quoted(expected));
        known = m_readings.insert(key, problem);
    }
    if (!known->isEmpty())
        m_found << *known;
}

void TControlCheck::CheckText(const TLabelControl& c, const QString& text, const TPrintBox& box) {
    // A text that shrinks to fit has a font of its own for every text.
    QFont shrunk;
    const QFont* font = &shrunk;
    if (c.ShrinkToFit()) {
        shrunk = PrintedTextFont(c, text, box, m_scale, nullptr).font;
    } else {
        auto known = m_fonts.find(&c);
        if (known == m_fonts.end())
            known = m_fonts.emplace(&c, PrinterFont(c.Font(), m_scale)).first;
        font = &known->second;
    }
    const QRect rect = KindTraits(c.Kind()).MultiLine ? MemoTextRect(c, *font, text, box)
                                                      : TextCell(c, *font, text, box, nullptr).rect;
    const QRect room = Room(box);
    const QString quoted = Quoted(text.section(QLatin1Char('\n'), 0, 0));
    if (rect.left() < room.left() || rect.right() > room.right())
        m_found << QString::fromLatin1(PreflightText::TextWide)
                       .arg(quoted, Length(rect.width(), false),
                            Length(std::max(0, room.width()), false));
    if (rect.top() < room.top() || rect.bottom() > room.bottom())
        m_found << QString::fromLatin1(PreflightText::TextTall)
                       .arg(quoted, Length(rect.height(), true),
                            Length(std::max(0, room.height()), true));
}

QStringList PaperProblems(const TLabelControl& c, const TSheetSettings& sheet,
                          const TPrinterPage& page) {
    TPreflightOptions options;
    options.ReadBack = false; // decoding is the preflight's work, too slow for every change
    TControlCheck check(PagePrintScale(page), sheet.Metric, options);
    const QRect label(0, 0,
                      SheetLengthToPixels(sheet.LabelWidth, sheet.Metric, page.PixelsPerInchX),
                      SheetLengthToPixels(sheet.LabelHeight, sheet.Metric, page.PixelsPerInchY));
    return check.Problems(c, TextForDrawing(c.GetDisplayText()), label);
}
