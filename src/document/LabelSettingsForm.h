#pragma once

#include "document/Sheet.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

// The rules of the sheet set-up dialog ("Custom Label Settings"), kept apart from its widgets so
// that they can be driven without showing a window. Field texts are what the edit boxes hold.
struct TStock;

class TLabelSettingsForm {
public:
    // The eight length fields, named after their edit boxes.
    enum TLength {
        Edit3 = 0, // label height
        Edit4,     // label width
        Edit5,     // gutter height
        Edit6,     // gutter width
        Edit1,     // top margin
        Edit2,     // left margin
        Edit7,     // bottom margin
        Edit8,     // right margin
        LengthCount
    };
    static constexpr int LengthMaxChars = 7;
    static constexpr int CountMaxChars = 4;

    // Reads the current printer's facts; tests pass their own.
    using TFactsSource = std::function<TPrinterFacts()>;

    TLabelSettingsForm(TSheetSettings& sheet, TPrinterPage& page, TFactsSource facts);

    // Field texts and choices.
    std::array<QString, LengthCount> Lengths;
    QString eCols, eRows, eRoundPct;
    bool Centimeters = false;
    bool Manual = false;
    int32_t BorderStyle = 0;
    int32_t BorderSize = 0;
    bool Rounded = false;
    bool SaveAsDefault = false;
    // The stock the fields were filled from (empty for a sheet measured by hand) and the paper
    // the label is made for; both reach the sheet on OK only.
    QString StockMaker, StockPart;
    TPaperChoice Paper;
    // The "Page Info" texts.
    QString PageTop, PageBottom, PageLeft, PageRight, PageHeight, PageWidth;

    // Fills every field from the sheet settings and recalculates.
    void Open();
    // The key filters of the edit boxes (characters after the length limit are refused too).
    static bool LengthKeyAccepted(QChar key);
    static bool CountKeyAccepted(QChar key);

    // Leaving a field. Returns the message to show when the value was beyond the limits of a
    // sheet (the field then holds the replacement value): a label side below the minimum (reset
    // to 0.25 in or 1 cm) or above the maximum, a margin or gutter beyond the maximum either
    // way (held at it), or a gutter so negative that a label would start less than the minimum
    // after the one before (the gutter of that axis becomes 0).
    std::optional<QString> LeaveLength(TLength field);
    void LeaveCount(QString& field);
    void LeavePercent();

    void SwitchUnit(bool centimeters);
    void SetManual(bool manual);
    void SetBorderStyle(int32_t style);
    void SetRounded(bool rounded);
    // "&Print Setup" was confirmed; it put its paper in the sheet.
    void PrinterSetupDone();

    // Fills the fields from a stock, in the fields' unit, with its paper, counts forced and
    // the stock named. False (nothing changed) with the reason when it cannot be a sheet.
    bool ChooseStock(const TStock& stock, QString* why = nullptr);
    // "Stock: Avery 5160", or "Stock: Custom" once no stock is chosen or its sizes were edited.
    QString StockText() const;

    // Enabling rules.
    bool CountsEnabled() const { return Manual; }
    bool SizeListEnabled() const { return BorderStyle == 1; }
    bool ShapeEnabled() const { return BorderStyle > 0; }
    bool PercentEnabled() const { return BorderStyle > 0 && Rounded; }

    // OK: stores every field into the sheet settings. The caller saves the defaults when
    // SaveAsDefault is set.
    void Apply();

private:
    // The sheet the fields describe, on top of the sheet settings.
    TSheetSettings FieldSheet() const;
    void Fill(const TSheetSettings& s);
    // The stock names a layout; once a length, a count or the count mode no longer is the one
    // the stock gave, the sheet is one of the user's own.
    void KeepStockLayout();
    void ForgetStockIfEdited();
    void Recalculate();
    void ApplyEnabling();
    QString PageText(const char* caption, double inches, bool paper) const;

    TSheetSettings& m_sheet;
    TPrinterPage& m_page;
    TFactsSource m_facts;
    std::array<double, LengthCount> m_stockLengths{};
    int m_stockCols = 0, m_stockRows = 0;
    bool m_stockManual = false;
};

// The messages of the sheet set-up dialog.
namespace LabelSettingsText {
QString MinimumHeight(bool centimeters);
QString MinimumWidth(bool centimeters);
QString MaximumSize(bool centimeters);
QString MaximumSpace(bool centimeters);
QString LabelsTooClose(bool centimeters);
} // namespace LabelSettingsText
