#pragma once

// The fixed texts of database data sources. %1 is always the source as shown to the user (a
// file's path or the address without any password), %2 the driver's or server's reason.
namespace SqlText {
inline constexpr const char* NoQueryOrTable =
    "The database \"%1\" needs a query or a table: give --query or --table.";
inline constexpr const char* NotADatabase =
    "The data source \"%1\" is not a database: give a SQLite file or a postgresql:// address.";
inline constexpr const char* NotSqliteFile = "The file \"%1\" is not a SQLite database.";
inline constexpr const char* BadAddress = "The database address \"%1\" cannot be read: %2.";
inline constexpr const char* PasswordInAddress =
    "The database address \"%1\" holds a password, which anyone on this computer could read "
    "from the command line: remove it and give the password in PGPASSWORD or ~/.pgpass.";
// %2 is the name of the missing Qt SQL driver.
inline constexpr const char* DriverMissing =
    "Cannot read the database \"%1\": its driver %2 is not installed.";
inline constexpr const char* CannotConnect = "Cannot connect to the database \"%1\": %2.";
inline constexpr const char* QueryFailed = "The query on the database \"%1\" failed: %2.";
inline constexpr const char* NotARowQuery = "The query on the database \"%1\" returns no rows: "
                                            "give a SELECT.";
// %2 is the table's name as given.
inline constexpr const char* BadTableName =
    "The table name \"%2\" for the database \"%1\" cannot be used: a table name holds no "
    "quotes or brackets.";
// %2 is the table's name as given, %3 the reason.
inline constexpr const char* TableFailed = "Cannot read the table \"%2\" of the database \"%1\": "
                                           "%3.";
// %2 is the number of the row that could not be read.
inline constexpr const char* RowFailed = "Cannot read row %2 from the database \"%1\": %3.";
} // namespace SqlText
