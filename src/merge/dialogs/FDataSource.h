#pragma once

#include "merge/DataSourceChoice.h"
#include "merge/dialogs/DialogServices.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

// "Data Source": a database as the data to merge. The connection (a SQLite file, with its own
// browse button, or a server's address), a query or a table, and a preview of the first rows
// under the column names; a failed connection or query shows its reason in the window. The
// rules are in DataSourceChoice.h.
class TFDataSource : public QDialog {
    Q_OBJECT
public:
    explicit TFDataSource(QWidget* parent = nullptr);

    // Shows choice and runs the window; on "&Ok" (only with a readable choice) choice becomes
    // what the user entered and the result is true.
    bool Execute(TDataSourceChoice& choice);

    // Fills the fields from choice without running the window (tests show it themselves).
    void Load(const TDataSourceChoice& choice);
    // What the fields hold now.
    TDataSourceChoice Choice() const;

    // The open-file dialog of the browse button (tests answer it).
    TMergeDialogServices& MergeDialogServices() { return m_services; }

    // Rows the preview shows at most.
    static constexpr int PreviewRows = 10;

private:
    void BrowseBtnClick();
    void PreviewBtnClick();
    void OkBtnClick();
    void ShowMessage(const QString& text);

    TMergeDialogServices m_services = DesktopMergeDialogServices();
    QLineEdit* m_eConnection = nullptr;
    QPlainTextEdit* m_eQuery = nullptr;
    QLineEdit* m_eTable = nullptr;
    QTableWidget* m_gPreview = nullptr;
    QLabel* m_lMessage = nullptr;
};
