#pragma once

// The fixed texts of the text import wizard and the advanced field editor, in one place so that
// tests compare them exactly.
namespace MergeDialogText {
// Title of the plain message boxes both windows show.
inline constexpr const char* MessageTitle = "Vellumtrace";

// Text import wizard.
inline constexpr const char* ImportCaption = "Text Import Wizard";
inline constexpr const char* FilePrefix = "File: ";
inline constexpr const char* FieldHeader = "Field #";
inline constexpr const char* GridHint = "Right Click on Cell to Insert/Delete Columns";
inline constexpr const char* FormatGroup = "Import File Format";
inline constexpr const char* CommaDelimited = "Comma Delimited";
inline constexpr const char* TabDelimited = "Tab Delimited";
inline constexpr const char* CustomDelimiter = "Custom Delimiter";
inline constexpr const char* FixedField = "Fixed Field";
inline constexpr const char* FieldSeparator = "Field Separator:";
inline constexpr const char* QuoteChar = "Quote Char:";
inline constexpr const char* IgnoreHeader = "Ignore First Line (Column Header)";
inline constexpr const char* ColumnSize = "Column Size:";
inline constexpr const char* LeftTrim = "Left Trim Extra Spaces";
inline constexpr const char* RightTrim = "Right Trim Extra Spaces";
inline constexpr const char* Ok = "&Ok";
inline constexpr const char* Cancel = "&Cancel";
inline constexpr const char* InsertColumn = "Insert Column";
inline constexpr const char* DeleteColumn = "Delete Column";
inline constexpr const char* EnterColumnSize = "Enter column size";
inline constexpr const char* SheetCaption = "Sheet:";

// Data source dialog (a database as the data to merge).
inline constexpr const char* DataSourceCaption = "Data Source";
inline constexpr const char* ConnectionCaption = "Database:";
inline constexpr const char* ConnectionHint =
    "SQLite file or postgresql://user@host:5432/database (password from PGPASSWORD or ~/.pgpass)";
inline constexpr const char* ConnectionBrowse = "Browse";
inline constexpr const char* QueryCaption = "Query:";
inline constexpr const char* QueryHint = "SELECT ... (when empty, the table below is read whole)";
inline constexpr const char* TableCaption = "Table:";
inline constexpr const char* TableHint = "table name, used without a query";
inline constexpr const char* PreviewButton = "Preview";
inline constexpr const char* DatabaseOpenTitle = "Open Database";
inline constexpr const char* DatabaseFilter =
    "SQLite Databases (*.db *.sqlite *.sqlite3);;All Files (*)";
// What the separator box shows for the comma and tab formats.
inline constexpr const char* CommaShown = ",";
inline constexpr const char* TabShown = "tab";

// Advanced field editor.
inline constexpr const char* AdvancedCaption = "Advanced Fields";
inline constexpr const char* ListHeader = "Advanced Fields";
inline constexpr const char* AddTextHint = "Add Text Field";
inline constexpr const char* AddImportHint = "Add Import from File Field";
inline constexpr const char* AddSequenceHint = "Add Sequence Field";
inline constexpr const char* AddDateHint = "Add Date/Time Field";
inline constexpr const char* RemoveFieldHint = "Remove Advanced Field";
inline constexpr const char* RemoveAllHint = "Remove All Advanced Fields";
inline constexpr const char* MenuRemoveField = "Remove Selected Field";
inline constexpr const char* MenuRemoveAll = "Remove All Fields";
inline constexpr const char* MenuAddText = "Add Text Field";
inline constexpr const char* MenuAddImport = "Add Import Field";
inline constexpr const char* MenuAddSequence = "Add Sequence Field";
inline constexpr const char* MenuAddDate = "Add Date/Time Field";
inline constexpr const char* Preview = "&Preview";

inline constexpr const char* EnterTextString = "Enter Text String";
inline constexpr const char* FieldNumber = "Field #";
inline constexpr const char* MinimumSize = "Minimum Size";
inline constexpr const char* PadCharacter = "Pad Character";
inline constexpr const char* PadFieldTo = "Pad Field to:";
inline constexpr const char* PadRight = "Right";
inline constexpr const char* PadLeft = "Left";
inline constexpr const char* CurrentValue = "Current Value";
inline constexpr const char* Range = "Range";
inline constexpr const char* RangeTo = "to";
inline constexpr const char* ResetOnPrint = "Reset Value on Print";
inline constexpr const char* ByName = "Find the column by its name";
inline constexpr const char* ByNameHint =
    "Keeps the column's name from the data's header, so reordered columns still land right";
inline constexpr const char* ResetOnPrintHint = "Reset Current Value to Minimum on Print";
inline constexpr const char* DateFormat = "Date Format";
inline constexpr const char* DateHelpButton = "?";
inline constexpr const char* DateHelpHint = "Date Format Help";
// The date panel's offsets and the live example under them; %1 is today in the element's
// format, %2 the offset ("+ 30 days"), %3 the date shown.
inline constexpr const char* AddMonths = "Add months";
inline constexpr const char* AddDays = "Add days";
inline constexpr const char* AddOffsetHint = "Whole numbers; negative numbers go back in time";
inline constexpr const char* DateExampleToday = "Example: %1";
inline constexpr const char* DateExampleAhead = "Example: %1 %2 = %3";

// The messages of the sequence boxes; %1 is the bound as typed in its box. The line break is a
// line feed followed by a carriage return.
inline constexpr const char* BelowMinimum =
    "You must enter a value greater or equal to\n\rthe minimum sequence value %1.";
inline constexpr const char* AboveMaximum =
    "You must enter a value less than or equal\n\rto the maximum sequence value %1.";
inline constexpr const char* MinimumNotBelowMaximum =
    "You must enter a value less than the\n\rthe maximum sequence value %1.";
inline constexpr const char* MaximumNotAboveMinimum =
    "You must enter a value greater than the\n\rthe minimum sequeunce value %1.";
// A number box whose text is no number; %1 is the text, %2 the box's caption.
inline constexpr const char* NotANumber = "\"%1\" is not a valid number for %2.";

// The preview message.
inline constexpr const char* PreviewTitle = "ADVANCED FIELDS PREVIEW";
inline constexpr const char* PreviewSample = "IMPORTED DATA SAMPLE:";
inline constexpr const char* PreviewRule = "=====================";
inline constexpr const char* PreviewField = "Field #%1 = ";
inline constexpr const char* PreviewCut = "...";
inline constexpr const char* PreviewContinued = "Continued...";
inline constexpr const char* PreviewResult = "RESULT = ";
inline constexpr const char* SelectImportFile = "Select Import File";
inline constexpr const char* ImportFileFilter = "Text Files (*.txt *.prn *.csv *.dat)";
inline constexpr const char* ImportFileExtension = "txt";
// The live line under the list; %1 is the text the elements give.
inline constexpr const char* ResultLine = "Result: \"%1\"";

// The date format help window.
inline constexpr const char* DateHelpCaption = "Date/Time Picker Format Strings";
} // namespace MergeDialogText
