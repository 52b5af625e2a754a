#pragma once

// The texts the control settings palette shows.
namespace PaletteText {
inline constexpr const char* Caption = "Control Settings";

inline constexpr const char* CommonPage = "Common";
inline constexpr const char* BarcodePage = "Barcode";
inline constexpr const char* BarcodePageHint = "Barcode Properties";
inline constexpr const char* ShapePage = "Shape";
inline constexpr const char* ShapePageHint = "Shape Properties";
inline constexpr const char* ImagePage = "Image";

inline constexpr const char* ControlOptions = "Control Options";
inline constexpr const char* Rotation = "Rotation";
inline constexpr const char* NoRotation = "No Rotation";
inline constexpr const char* Rotate90 = "Rotate Control 90\u00b0";
inline constexpr const char* Rotate180 = "Rotate Control 180\u00b0";
inline constexpr const char* Rotate270 = "Rotate Control 270\u00b0";

inline constexpr const char* BarcodeType = "Barcode Type";
inline constexpr const char* Interpretation = "Interpretation Line";
inline constexpr const char* InterpretationHint = "Prints text line on bottom or top of barcode";
inline constexpr const char* BarcodeWidth = "Barcode Width";
inline constexpr const char* AutoSizeWidth = "Auto Size";
inline constexpr const char* CustomWidth = "Custom";
inline constexpr const char* Mils = "mils";
inline constexpr const char* Millimetres = "mm";
inline constexpr const char* QrEcc = "Error level";
inline constexpr const char* QrEccHint = "QR Code error correction: L 7%, M 15%, Q 25%, H 30%";
inline constexpr const char* SymbolSize = "Min. size";
inline constexpr const char* SymbolSizeHint =
    "The smallest symbol to draw; larger when the data needs it";
inline constexpr const char* AutomaticSize = "Automatic";

inline constexpr const char* Rectangle = "Rectangle";
inline constexpr const char* Ellipse = "Ellipse";
inline constexpr const char* Triangle = "Triangle";
inline constexpr const char* RoundedRectangle = "Rounded Rectangle";
inline constexpr const char* HorizontalLine = "Horizontal Line";
inline constexpr const char* VerticalLine = "Vertical Line";
inline constexpr const char* LineSize = "Line Size";
inline constexpr const char* FillStyle = "Fill Style";
inline constexpr const char* SelectLineColor = "Select Line Color";
inline constexpr const char* SelectFillColor = "Select Fill Color";

inline constexpr const char* ImportImage = "Import Image";
inline constexpr const char* ImageSize = "Image Size";
inline constexpr const char* ScaleHeight = "Scale Height";
inline constexpr const char* ScaleWidth = "Scale Width";
inline constexpr const char* ScaleHeightHint = "Scale Image Height % of Original";
inline constexpr const char* ScaleWidthHint = "Scale Image Width % of Original";
inline constexpr const char* Percent = "%";
inline constexpr const char* HeightLabel = "Height:";
inline constexpr const char* WidthLabel = "Width:";
inline constexpr const char* Centimetres = " cm";
inline constexpr const char* Inches = " inches";
// the place and size boxes of the Common page, and the hint naming their unit
inline constexpr const char* Left = "Left";
inline constexpr const char* Top = "Top";
inline constexpr const char* Width = "Width";
inline constexpr const char* Height = "Height";
inline constexpr const char* BoxInches = "Inches";
inline constexpr const char* BoxCentimetres = "Centimetres";
inline constexpr const char* MaintainAspect = "Maintain Aspect Ratio";
// texts too large for their box
inline constexpr const char* ShrinkToFit = "Shrink to Fit";
inline constexpr const char* ShrinkToFitHint =
    "Draws a text too large for its box at the largest size that fits (not below 4 pt)";
} // namespace PaletteText
