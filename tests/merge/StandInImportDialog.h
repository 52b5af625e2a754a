#pragma once

#include "merge/ImportDialog.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Stands in for the import window: remembers what it was shown, optionally changes settings the
// way a user would, and answers Ok or Cancel.
class TStandInDialog : public TTextImportDialog {
public:
    explicit TStandInDialog(bool confirm) : m_confirm(confirm) {}

    bool Execute(const QString& fileName, TTextImportSettings& settings,
                 const QStringList& previewLines) override {
        ++Calls;
        ShownFile = fileName;
        ShownFormat = settings.ImportFormat;
        ShownSeparator = settings.Separator;
        ShownColumns = settings.ColumnSizes;
        ShownLines = previewLines;
        if (UserQuote)
            settings.QuoteChar = *UserQuote;
        if (UserSeparator) {
            settings.ImportFormat = TImportFormat::CustomDelimiter;
            settings.Separator = *UserSeparator;
        }
        return m_confirm;
    }

    int Calls = 0;
    QString ShownFile;
    TImportFormat ShownFormat{};
    QString ShownSeparator;
    QList<int> ShownColumns;
    QStringList ShownLines;
    std::optional<QString> UserQuote;
    std::optional<QString> UserSeparator;

private:
    bool m_confirm;
};
