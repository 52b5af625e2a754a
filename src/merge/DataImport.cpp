#include "merge/DataImport.h"

#include "merge/LineParsers.h"
#include "merge/PreviewRecords.h"
#include "merge/SheetRows.h"
#include "merge/SqlRows.h"
#include "platform/Errors.h"

#include <QFileInfo>

namespace {
bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo x(a), y(b);
    const QString cx = x.canonicalFilePath(), cy = y.canonicalFilePath();
    return !cx.isEmpty() && !cy.isEmpty() ? cx == cy : x.absoluteFilePath() == y.absoluteFilePath();
}

// Stands in when there is no window: the settings are prepared, nothing is confirmed.
class TNoImportDialog : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override {
        return false;
    }
};
} // namespace

TDataImport::TDataImport(TTextImportDialog* dialog) : m_dialog(dialog) {}

void TDataImport::FormatFromExtension(const QString& fileName) {
    ::FormatFromExtension(m_settings, fileName, m_preview);
}

TImportRecord TDataImport::ParseLine(QStringView line) const {
    return ::ParseLine(m_settings, line);
}

TImportRecord TDataImport::PreviewHeader() const {
    if (!m_settings.IgnoreHeader || m_preview.isEmpty())
        return {};
    return ParseLine(m_preview.first());
}

bool TDataImport::ShowDialog(const QString& fileName, bool review) {
    m_reader.CloseDataFile();
    TNoImportDialog none;
    TTextImportDialog& dialog = m_dialog ? *m_dialog : none;
    return review || m_labelSettings
               ? ReviewImportDialog(fileName, m_settings, m_preview, dialog)
               : ::ExecuteImportDialog(fileName, m_settings, m_preview, dialog);
}

bool TDataImport::ExecuteImportDialog(const QString& fileName) {
    return ShowDialog(fileName, false);
}

bool TDataImport::ChooseDataFile(const QString& fileName, TSameDataFile same) {
    const bool chosen = SameFile(fileName, m_chosen);
    if (chosen && same == TSameDataFile::Keep)
        return true;
    if (IsDatabaseSource(fileName)) {
        // A typed or picked database is read with the query or table the settings hold; the
        // data source dialog is where those are changed.
        m_reader.CloseDataFile();
        m_chosen = fileName;
        m_preview.clear();
        return true;
    }
    // The dialog edits the settings even when cancelled; while a file is the choice they are
    // that file's and must stay so.
    const TTextImportSettings settings = m_settings;
    const QStringList preview = m_preview;
    if (ShowDialog(fileName, chosen)) {
        m_chosen = fileName;
        if (SettingsChosen)
            SettingsChosen(m_settings);
        return true;
    }
    if (!m_chosen.isEmpty()) {
        m_settings = settings;
        m_preview = preview;
    }
    return chosen; // a cancelled review leaves the file chosen as it was
}

void TDataImport::AdoptLabelSettings(const std::optional<TTextImportSettings>& settings) {
    m_labelSettings = settings.has_value();
    if (settings)
        m_settings = *settings;
}

void TDataImport::ChooseDatabase(const QString& source, const QString& query,
                                 const QString& table) {
    m_reader.CloseDataFile();
    m_settings.Query = query;
    m_settings.Table = table;
    m_chosen = source;
    m_preview.clear();
    if (SettingsChosen)
        SettingsChosen(m_settings);
}

TImportRecord TDataImport::ColumnNames() const {
    if (m_chosen.isEmpty())
        return {};
    if (!IsSpreadsheetFile(m_chosen) && !IsDatabaseSource(m_chosen))
        return PreviewHeader();
    try {
        return ReadPreviewRecords(m_chosen, m_settings, 0).Header;
    } catch (const TUserError&) {
        return {}; // the field editor shows numbers alone; a run reports the reason
    }
}
