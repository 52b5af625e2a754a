#pragma once

// The fixed texts of the sheet set-up dialog, in one place so that tests compare them exactly.
namespace LabelSettingsCaption {
inline constexpr const char* Title = "Custom Label Settings";
inline constexpr const char* LabelSetupPage = "Label Setup";
inline constexpr const char* PageMarginsPage = "Page Margins";
inline constexpr const char* LabelBordersPage = "Label Borders";
inline constexpr const char* PageInfoPage = "Page Info";
inline constexpr const char* Ok = "OK";
inline constexpr const char* Cancel = "Cancel";
inline constexpr const char* PrintSetup = "&Print Setup";
inline constexpr const char* SaveDefault = "Save Label Settings as Default";

inline constexpr const char* Units = "Units";
inline constexpr const char* Inches = "Inches";
inline constexpr const char* Centimeters = "Centimeters";
inline constexpr const char* LabelSize = "Label Size";
inline constexpr const char* LabelHeight = "Label Height:";
inline constexpr const char* LabelWidth = "Label Width:";
inline constexpr const char* Gutters = "Gutters";
inline constexpr const char* GutterHeight = "Gutter Height:";
inline constexpr const char* GutterWidth = "Gutter Width:";
inline constexpr const char* LabelsPerPage = "Labels per Page";
inline constexpr const char* Auto = "Auto Calculate";
inline constexpr const char* Manual = "Manual (Forced Count)";
inline constexpr const char* Columns = "Columns:";
inline constexpr const char* Rows = "Rows:";

inline constexpr const char* Margins = "Page Margins";
inline constexpr const char* TopMargin = "Top Margin:";
inline constexpr const char* LeftMargin = "Left Margin:";
inline constexpr const char* BottomMargin = "Bottom Margin:";
inline constexpr const char* RightMargin = "Right Margin:";

inline constexpr const char* BorderLine = "Border Line";
inline constexpr const char* BorderStyle = "Border Style:";
inline constexpr const char* BorderSize = "Border Size:";
inline constexpr const char* BorderShape = "Border Shape";
inline constexpr const char* Rectangle = "Rectangle";
inline constexpr const char* Rounded = "Rounded Retangle";
inline constexpr const char* CornerSize = "Corner Size:";
inline constexpr const char* Percent = "%";

inline constexpr const char* NonPrintable = "Non-Printable Margins";
inline constexpr const char* PaperSize = "Paper Size";

inline constexpr const char* UnitInches = "in";
inline constexpr const char* UnitCentimeters = "cm";

// The first entry of the border style list.
inline constexpr const char* NoBorder = "No Border";
} // namespace LabelSettingsCaption
