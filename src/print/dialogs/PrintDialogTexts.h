#pragma once

// The fixed texts of the print dialog and the progress window.
namespace PrintDialogText {
inline constexpr const char* Caption = "Print Options";
inline constexpr const char* ImportFrom = "Import Data From";
inline constexpr const char* Browse = "Browse";
inline constexpr const char* Database = "Database...";
inline constexpr const char* All = "All";
inline constexpr const char* Pages = "Pages";
inline constexpr const char* Labels = "Labels";
inline constexpr const char* Duplicates = "Duplicates";
inline constexpr const char* PrinterSetup = "Printer &Setup";
inline constexpr const char* Print = "&Print";
inline constexpr const char* Preview = "Pre&view";
inline constexpr const char* Check = "Chec&k";
inline constexpr const char* Cancel = "&Cancel";
inline constexpr const char* CopiesFromField = "Copies from field #";
inline constexpr const char* CopiesFromFieldHint =
    "Prints each record as many times as this field of it says (0 to 9,999; 0 skips it)";
inline constexpr const char* CopiesByName = "by its name: %1";
inline constexpr const char* CopiesNoName = "by its name (no column name known)";
inline constexpr const char* CopiesByNameHint =
    "Finds the column by its name in the data's header, so reordered columns still land right";
inline constexpr const char* Continue = "Continue where the last run stopped";
inline constexpr const char* ContinueAt = "Starts at label %1, where the last run on this sheet "
                                          "stopped";
inline constexpr const char* ContinueNone =
    "No run on this sheet stopped part way through a page: printing starts at the first label";
inline constexpr const char* SelectStartLabel = "Select Start Label";
inline constexpr const char* RowsPrefix = "Rows: ";
inline constexpr const char* ColumnsPrefix = "Columns: ";
inline constexpr const char* LabelsPerPagePrefix = "Labels per page: ";
inline constexpr const char* SkipOne = "Skip 1 Label";
inline constexpr const char* SkipPrefix = "Skip ";
inline constexpr const char* SkipSuffix = " Labels";

inline constexpr const char* OpenTitle = "Select Import File";
// Qt's form of "Text Files (*.txt; *.prn; *.csv; *.dat)|*.txt; *.prn; *.csv; *.dat".
inline constexpr const char* OpenFilter = "Text Files (*.txt *.prn *.csv *.dat)";
inline constexpr const char* OpenExtension = "txt";

// Message texts keep their line feed and carriage return; the message box shows one break.
inline constexpr const char* AllWithoutFile =
    "You cannot print \"All\" without\n\rselecting a file to import from.";
inline constexpr const char* FileMissingSuffix = "\n\rfile does not exist!";

inline constexpr const char* SavePdfTitle = "Print to PDF File";
inline constexpr const char* SavePdfFilter = "PDF Files (*.pdf)";
inline constexpr const char* UnsavedPdfName = "Vellumtrace.pdf";

inline constexpr const char* ProgressCaption = "Printing...";
inline constexpr const char* ProgressRunningCaption = "Vellumtrace";
inline constexpr const char* Printing = "Printing";
inline constexpr const char* On = "on";
inline constexpr const char* PagePrefix = "Page ";
inline constexpr const char* LabelsPrefix = "Labels: ";

inline constexpr const char* PreviewCaption = "Print Preview";
inline constexpr const char* PreviousPage = "< &Previous";
inline constexpr const char* NextPage = "&Next >";
inline constexpr const char* ZoomIn = "Zoom &In";
inline constexpr const char* ZoomOut = "Zoom &Out";
inline constexpr const char* FitPage = "&Fit";
inline constexpr const char* Close = "&Close";
inline constexpr const char* PreviewPageLine = "Page %1 of %2";

inline constexpr const char* CheckCaption = "Check Labels";
inline constexpr const char* Checking = "Checking labels...";
inline constexpr const char* CheckedLabels = "Checked %1 labels...";
inline constexpr const char* CheckListCut = " (the list shows the first %1)";
inline constexpr const char* ColumnRecord = "Record";
inline constexpr const char* ColumnLabel = "Label";
inline constexpr const char* ColumnControl = "Control";
inline constexpr const char* ColumnProblem = "Problem";
inline constexpr const char* RecordAndLine = "%1 (line %2)";
inline constexpr const char* PrintAnyway = "&Print Anyway";
inline constexpr const char* Back = "&Back";
} // namespace PrintDialogText
