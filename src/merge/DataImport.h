#pragma once

#include "merge/DataFileReader.h"
#include "merge/ImportDialog.h"
#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

// How picking the file already chosen is taken.
enum class TSameDataFile {
    Keep,   // its settings stand and nothing is asked (the field editor, a typed file name)
    Review, // the wizard shows again over its settings (a file picked in the print dialog)
};

// A designer session's data import: the data file chosen for merging, its import settings and
// preview lines, a record reader cutting lines with those settings, and the import dialog shown
// for a new file. The main window owns one and hands it to the field editor and the print
// dialog, which so share one choice; anything else (tests, a second window) makes its own.
class TDataImport {
public:
    // dialog: the window ExecuteImportDialog shows (see SetTextImportDialog).
    explicit TDataImport(TTextImportDialog* dialog = nullptr);
    // The reader refers to the settings: a session stays where it was made.
    TDataImport(const TDataImport&) = delete;
    TDataImport& operator=(const TDataImport&) = delete;

    TTextImportSettings& TextImportSettings() { return m_settings; }
    const TTextImportSettings& TextImportSettings() const { return m_settings; }
    QStringList& PreviewLines() { return m_preview; }
    const QStringList& PreviewLines() const { return m_preview; }
    TDataFileReader& DataFileReader() { return m_reader; }

    // The window ExecuteImportDialog shows; nullptr for none. The caller keeps ownership.
    void SetTextImportDialog(TTextImportDialog* dialog) { m_dialog = dialog; }

    void FormatFromExtension(const QString& fileName);
    TImportRecord ParseLine(QStringView line) const;
    // The header line's fields when the settings skip one and a preview was read; else empty.
    TImportRecord PreviewHeader() const;

    // Reads the preview lines, chooses the format by extension and shows the import dialog; true
    // on Ok. Always leaves the record reader closed. Without a dialog the file is still read (so
    // a bad file is reported) and the result is false, as if cancelled.
    bool ExecuteImportDialog(const QString& fileName);

    // The data file chosen for merging, empty until the user chose one; the import settings are
    // its settings.
    const QString& ChosenDataFile() const { return m_chosen; }
    // The user picked fileName (in the field editor or the print dialog). The file already chosen
    // keeps its settings, or with Review goes through the wizard again starting from them; another
    // file goes through ExecuteImportDialog and is the choice from its Ok on. A Cancel leaves the
    // choice and its settings as they were. True when fileName is the choice now. Throws
    // TUserError as ExecuteImportDialog does.
    bool ChooseDataFile(const QString& fileName, TSameDataFile same = TSameDataFile::Keep);
    // The user chose a database (a SQLite file or a server's address) with the query, or the
    // table to read whole, in the data source dialog: it is the choice from now on with those
    // settings, which the label keeps (SettingsChosen). No wizard: a database has no format.
    void ChooseDatabase(const QString& source, const QString& query, const QString& table);
    // The column names of the chosen data: the header line of a text file's preview, a sheet's
    // first row or a query's columns; empty without a header or a choice. A source that cannot
    // be read has none.
    TImportRecord ColumnNames() const;
    // Forgets the choice (a session that starts again).
    void ForgetDataFile() { m_chosen.clear(); }

    // The settings the label keeps for its data, none when it keeps none. They replace the
    // session's, and the wizard for a new file starts from them instead of from the file's
    // extension. Without them the session's settings stay as they are.
    void AdoptLabelSettings(const std::optional<TTextImportSettings>& settings);
    // Called with the settings the user confirmed in the wizard, so that the label keeps them.
    std::function<void(const TTextImportSettings&)> SettingsChosen;

    void OpenDataFile(const QString& fileName) { m_reader.OpenDataFile(fileName); }
    void ReadNextRecord() { m_reader.ReadNextRecord(); }
    bool AtEndOfData() { return m_reader.AtEndOfData(); }
    void CloseDataFile() { m_reader.CloseDataFile(); }
    // The reader's current record.
    const TImportRecord& ImportRecord() const { return m_reader.ImportRecord(); }

private:
    bool ShowDialog(const QString& fileName, bool review);

    TTextImportSettings m_settings;
    QStringList m_preview;
    TDataFileReader m_reader{m_settings};
    QString m_chosen;
    TTextImportDialog* m_dialog = nullptr;
    bool m_labelSettings = false;
};
