#pragma once

#include "document/Sheet.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

// The rules of the sheet set-up dialog ("Custom Label Settings"), kept apart from its widgets so
// that they can be driven without showing a window. Field texts are what the edit boxes hold.
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
    // "&Print Setup" was confirmed.
    void PrinterSetupDone() { Recalculate(); }

    // Enabling rules.
    bool CountsEnabled() const { return Manual; }
    bool SizeListEnabled() const { return BorderStyle == 1; }
    bool ShapeEnabled() const { return BorderStyle > 0; }
    bool PercentEnabled() const { return BorderStyle > 0 && Rounded; }

    // OK: stores every field into the sheet settings. The caller saves the defaults when
    // SaveAsDefault is set.
    void Apply();

private:
    void Recalculate();
    void ApplyEnabling();
    QString PageText(const char* caption, double inches, bool paper) const;

    TSheetSettings& m_sheet;
    TPrinterPage& m_page;
    TFactsSource m_facts;
};

// The messages of the sheet set-up dialog.
namespace LabelSettingsText {
QString MinimumHeight(bool centimeters);
QString MinimumWidth(bool centimeters);
QString MaximumSize(bool centimeters);
QString MaximumSpace(bool centimeters);
QString LabelsTooClose(bool centimeters);
} // namespace LabelSettingsText
