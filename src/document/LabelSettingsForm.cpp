#include "document/LabelSettingsForm.h"

#include "document/SheetLimits.h"
#include "document/StockLibrary.h"
#include "platform/Numbers.h"
#include "platform/Units.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kResetInches = 0.25;
constexpr double kResetCm = 1.0;

QString Length(double v) {
    return FormatNumber(NumberFormat::Length, v);
}

QString Minimum(bool cm) {
    return FormatNumber(NumberFormat::Minimum, SheetLimits::MinLength(cm));
}

QString Maximum(bool cm) {
    return FormatNumber(NumberFormat::PaperInches, SheetLimits::MaxLength(cm)) +
           (cm ? QStringLiteral(" centimeters") : QStringLiteral(" inches"));
}
} // namespace

QString LabelSettingsText::MinimumHeight(bool cm) {
    return QStringLiteral("Minimum label height is ") + Minimum(cm) +
           (cm ? QStringLiteral(" centimeter tall!") : QStringLiteral(" tall!"));
}

QString LabelSettingsText::MinimumWidth(bool cm) {
    return QStringLiteral("Minimum label width is ") + Minimum(cm) +
           (cm ? QStringLiteral(" centimeter wide!") : QStringLiteral("\" wide!"));
}

QString LabelSettingsText::MaximumSize(bool cm) {
    return QStringLiteral("Labels can be at most ") + Maximum(cm) + QStringLiteral(" on a side.");
}

QString LabelSettingsText::MaximumSpace(bool cm) {
    return QStringLiteral("Margins and gutters can be at most ") + Maximum(cm) +
           QStringLiteral(" either way.");
}

QString LabelSettingsText::LabelsTooClose(bool cm) {
    return QStringLiteral("Each label must start at least ") + Minimum(cm) +
           (cm ? QStringLiteral(" centimeter") : QStringLiteral("\"")) +
           QStringLiteral(" after the one before it; the gutter is set to 0.");
}

TLabelSettingsForm::TLabelSettingsForm(TSheetSettings& sheet, TPrinterPage& page,
                                       TFactsSource facts)
    : m_sheet(sheet), m_page(page), m_facts(std::move(facts)) {}

void TLabelSettingsForm::Open() {
    RefreshPrinterPage(m_sheet, m_page, m_facts());
    Fill(m_sheet);
    BorderStyle = m_sheet.BorderStyle;
    BorderSize = m_sheet.BorderSize;
    Rounded = m_sheet.BorderShape != 0;
    eRoundPct = FormatNumber(NumberFormat::Percent, m_sheet.BorderPct);
    StockMaker = m_sheet.StockMaker;
    StockPart = m_sheet.StockPart;
    Paper = m_sheet.Paper;
    ApplyEnabling();
    Recalculate();
    KeepStockLayout();
    SaveAsDefault = false;
}

void TLabelSettingsForm::Fill(const TSheetSettings& s) {
    Lengths[Edit3] = Length(s.LabelHeight);
    Lengths[Edit4] = Length(s.LabelWidth);
    Lengths[Edit5] = Length(s.GapHeight);
    Lengths[Edit6] = Length(s.GapWidth);
    Lengths[Edit1] = Length(s.TopMargin);
    Lengths[Edit2] = Length(s.LeftMargin);
    Lengths[Edit7] = Length(s.BottomMargin);
    Lengths[Edit8] = Length(s.RightMargin);
    eCols = QString::number(s.Columns);
    eRows = QString::number(s.Rows);
    Centimeters = s.Metric; // shown as stored, not converted
    Manual = s.ForcedCount;
}

bool TLabelSettingsForm::LengthKeyAccepted(QChar key) {
    return key.isDigit() || key == ',' || key == '-' || key == '.' || key == '\b' || key == '\n' ||
           key == '\r';
}

bool TLabelSettingsForm::CountKeyAccepted(QChar key) {
    return key.isDigit() || key == '\b' || key == '\n' || key == '\r';
}

std::optional<QString> TLabelSettingsForm::LeaveLength(TLength field) {
    double v = ParseDecimal(Lengths[field]);
    std::optional<QString> message;
    const double maximum = SheetLimits::MaxLength(Centimeters);
    const bool labelSize = field == Edit3 || field == Edit4;
    if (labelSize && v < SheetLimits::MinLength(Centimeters)) {
        message = field == Edit3 ? LabelSettingsText::MinimumHeight(Centimeters)
                                 : LabelSettingsText::MinimumWidth(Centimeters);
        v = Centimeters ? kResetCm : kResetInches;
    } else if (labelSize && v > maximum) {
        message = LabelSettingsText::MaximumSize(Centimeters);
        v = maximum;
    } else if (!labelSize && std::abs(v) > maximum) {
        message = LabelSettingsText::MaximumSpace(Centimeters);
        v = std::clamp(v, -maximum, maximum);
    }
    Lengths[field] = Length(v);
    // A gutter may overlap labels, but each label must still start after the one before.
    const bool down = field == Edit3 || field == Edit5;
    if (labelSize || field == Edit5 || field == Edit6) {
        QString& gutter = Lengths[down ? Edit5 : Edit6];
        const double pitch = ParseDecimal(Lengths[down ? Edit3 : Edit4]) + ParseDecimal(gutter);
        if (pitch < SheetLimits::MinLength(Centimeters)) {
            gutter = Length(0);
            if (!message)
                message = LabelSettingsText::LabelsTooClose(Centimeters);
        }
    }
    Recalculate();
    ForgetStockIfEdited();
    return message;
}

void TLabelSettingsForm::LeaveCount(QString& field) {
    bool ok = false;
    const int v = field.trimmed().toInt(&ok);
    if (!ok || v < 1)
        field = QStringLiteral("1");
    ForgetStockIfEdited();
}

void TLabelSettingsForm::LeavePercent() {
    double v = ParseDecimal(eRoundPct);
    if (v < 0)
        v = 0;
    if (v > 100)
        v = 100;
    eRoundPct = FormatNumber(NumberFormat::Percent, v);
}

void TLabelSettingsForm::SwitchUnit(bool centimeters) {
    if (centimeters != Centimeters) {
        for (QString& text : Lengths) {
            const double v = ParseDecimal(text);
            text = Length(centimeters ? v * CentimetresPerInch : v / CentimetresPerInch);
        }
    }
    Centimeters = centimeters;
    Recalculate();
    // The same sizes in another unit are still the stock's.
    KeepStockLayout();
}

void TLabelSettingsForm::SetManual(bool manual) {
    Manual = manual;
    if (!manual)
        Recalculate();
    ForgetStockIfEdited();
}

void TLabelSettingsForm::SetBorderStyle(int32_t style) {
    BorderStyle = style;
    ApplyEnabling();
}

void TLabelSettingsForm::SetRounded(bool rounded) {
    Rounded = rounded;
}

void TLabelSettingsForm::ApplyEnabling() {
    if (!SizeListEnabled() && BorderSize > 0)
        BorderSize = 0;
}

QString TLabelSettingsForm::PageText(const char* caption, double inches, bool paper) const {
    const double v = Centimeters ? inches * CentimetresPerInch : inches;
    const char* pattern = paper ? (Centimeters ? NumberFormat::PaperCm : NumberFormat::PaperInches)
                                : NumberFormat::PageMargin;
    return QString::fromLatin1(caption) + FormatNumber(pattern, v) +
           (Centimeters ? QStringLiteral(" cm") : QStringLiteral("\""));
}

void TLabelSettingsForm::PrinterSetupDone() {
    Paper = m_sheet.Paper;
    Recalculate();
}

bool TLabelSettingsForm::ChooseStock(const TStock& stock, QString* why) {
    TSheetSettings sheet = FieldSheet();
    if (!ApplyStock(stock, sheet, why))
        return false;
    Fill(sheet);
    Paper = sheet.Paper;
    StockMaker = stock.Maker;
    StockPart = stock.Part;
    Recalculate();
    KeepStockLayout();
    return true;
}

QString TLabelSettingsForm::StockText() const {
    if (StockMaker.isEmpty() && StockPart.isEmpty())
        return QStringLiteral("Stock: Custom");
    return QStringLiteral("Stock: ") + (StockMaker + QLatin1Char(' ') + StockPart).trimmed();
}

void TLabelSettingsForm::KeepStockLayout() {
    for (int i = 0; i < LengthCount; ++i)
        m_stockLengths[i] = ParseDecimal(Lengths[i]);
    m_stockCols = eCols.trimmed().toInt();
    m_stockRows = eRows.trimmed().toInt();
    m_stockManual = Manual;
}

void TLabelSettingsForm::ForgetStockIfEdited() {
    bool same = Manual == m_stockManual && eCols.trimmed().toInt() == m_stockCols &&
                eRows.trimmed().toInt() == m_stockRows;
    for (int i = 0; same && i < LengthCount; ++i)
        same = ParseDecimal(Lengths[i]) == m_stockLengths[i];
    if (!same) {
        StockMaker.clear();
        StockPart.clear();
    }
}

TSheetSettings TLabelSettingsForm::FieldSheet() const {
    TSheetSettings s = m_sheet;
    s.LabelHeight = ParseDecimal(Lengths[Edit3]);
    s.LabelWidth = ParseDecimal(Lengths[Edit4]);
    s.GapHeight = ParseDecimal(Lengths[Edit5]);
    s.GapWidth = ParseDecimal(Lengths[Edit6]);
    s.TopMargin = ParseDecimal(Lengths[Edit1]);
    s.LeftMargin = ParseDecimal(Lengths[Edit2]);
    s.BottomMargin = ParseDecimal(Lengths[Edit7]);
    s.RightMargin = ParseDecimal(Lengths[Edit8]);
    s.Columns = eCols.trimmed().toInt();
    s.Rows = eRows.trimmed().toInt();
    s.ForcedCount = Manual;
    s.Metric = Centimeters;
    s.BorderStyle = BorderStyle;
    s.BorderSize = BorderSize;
    s.BorderShape = Rounded ? 1 : 0;
    s.BorderPct = ParseDecimal(eRoundPct);
    s.StockMaker = StockMaker;
    s.StockPart = StockPart;
    s.Paper = Paper;
    return s;
}

void TLabelSettingsForm::Recalculate() {
    // The page is that of the fields' paper, which reaches the sheet only on OK.
    const TPaperChoice kept = m_sheet.Paper;
    m_sheet.Paper = Paper;
    const TPrinterFacts facts = m_facts();
    m_sheet.Paper = kept;
    RefreshPrinterPage(m_sheet, m_page, facts);
    const TPrinterPage& p = m_page;
    const double rx = p.PixelsPerInchX > 0 ? p.PixelsPerInchX : 1;
    const double ry = p.PixelsPerInchY > 0 ? p.PixelsPerInchY : 1;
    PageTop = PageText("Top: ", p.OffsetY / ry, false);
    PageBottom = PageText("Bottom: ", p.NonPrintableBottom / ry, false);
    PageLeft = PageText("Left: ", p.OffsetX / rx, false);
    PageRight = PageText("Right: ", p.NonPrintableRight / rx, false);
    PageHeight = PageText("Height: ", p.PhysicalHeight / ry, true);
    PageWidth = PageText("Width: ", p.PhysicalWidth / rx, true);

    const bool m = Centimeters;
    auto px = [&](TLength f, int32_t r) {
        return SheetLengthToPixels(ParseDecimal(Lengths[f]), m, r);
    };
    const int32_t y = p.PixelsPerInchY, x = p.PixelsPerInchX;
    const int32_t rows =
        CountLabelsAlong(px(Edit1, y) + px(Edit7, y), px(Edit3, y), px(Edit5, y), p.PhysicalHeight);
    const int32_t cols =
        CountLabelsAlong(px(Edit2, x) + px(Edit8, x), px(Edit4, x), px(Edit6, x), p.PhysicalWidth);
    if (eCols.isEmpty() || !Manual)
        eCols = QString::number(cols);
    if (eRows.isEmpty() || !Manual)
        eRows = QString::number(rows);
}

void TLabelSettingsForm::Apply() {
    m_sheet = FieldSheet();
}
