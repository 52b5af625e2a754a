#pragma once

#include "merge/ImportDialog.h"
#include "merge/dialogs/DialogServices.h"
#include "merge/dialogs/TextImportRules.h"

#include <QDialog>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPoint;
class QRadioButton;
class QTableWidget;

// The text import wizard ("Text Import Wizard"): the first lines of a data file, a live grid of
// how they split into fields, and the format settings, which it edits directly. Created once
// and shown by the session's data import (TDataImport); every opening starts from the settings
// as they are, so the user's choices persist between openings. The rules are in TextImportRules.h.
// A spreadsheet file shows its sheets instead of lines: a sheet picker and the header box, the
// grid holding the sheet's first records; the text format's options are hidden.
class TFTextImport : public QDialog, public TTextImportDialog {
    Q_OBJECT
public:
    explicit TFTextImport(QWidget* parent = nullptr);

    // Centres the window over the active window and runs it; true on "&Ok". The settings keep
    // what the user changed also when cancelled.
    bool Execute(const QString& fileName, TTextImportSettings& settings,
                 const QStringList& previewLines) override;

    // The first part of Execute: loads the file's lines and the settings into the window
    // without running it (tests show the window and drive it themselves).
    void FormShow(const QString& fileName, TTextImportSettings& settings,
                  const QStringList& previewLines);

    // The column the column size box and the context menu act on.
    int SelectedColumn() const { return m_column; }

    // The input box the wizard asks column sizes in (tests answer it).
    TMergeDialogServices& MergeDialogServices() { return m_services; }

private:
    QWidget* BuildOptions();
    void Connect();

    void ShowSheets(const QString& fileName);
    void ApplySheetPanel();
    void RefreshSheetGrid();
    void cbSheetChange(int index);
    void ShowGrid(const TImportGrid& grid);

    void FormatClick(TImportFormat format);
    void ApplyFormatPanel();
    void RefreshGrid();
    void SelectColumn(int column);

    void eSeparatorChange(const QString& text);
    void eQuoteCharChange(const QString& text);
    void eColumnSizeChange(const QString& text);
    void CheckClick();
    void sgPreviewSelectCell(int row, int column);
    void sgPreviewContextMenu(const QPoint& viewportPos, bool onHeader);
    void InsertColumnClick();
    void DeleteColumnClick();

    TMergeDialogServices m_services = DesktopMergeDialogServices();
    TTextImportSettings* m_settings = nullptr;
    QStringList m_lines;
    int m_column = 0;
    bool m_updating = false; // set while the window fills its widgets
    QString m_fileName;
    bool m_sheets = false; // the file is a spreadsheet

    QLabel* m_lFile = nullptr;
    QListWidget* m_lbLines = nullptr;
    QLabel* m_lProblem = nullptr; // why the sheet cannot be shown
    QGroupBox* m_rgImportFormat = nullptr;
    QLabel* m_lSheet = nullptr;
    QComboBox* m_cbSheet = nullptr;
    QTableWidget* m_sgPreview = nullptr;
    std::array<QRadioButton*, 4> m_formats{};
    QLabel* m_lSeparator = nullptr;
    QLineEdit* m_eSeparator = nullptr;
    QLabel* m_lQuoteChar = nullptr;
    QLineEdit* m_eQuoteChar = nullptr;
    QCheckBox* m_cbIgnoreHeader = nullptr;
    QLabel* m_lColumnSize = nullptr;
    QLineEdit* m_eColumnSize = nullptr;
    QCheckBox* m_cbLeftTrim = nullptr;
    QCheckBox* m_cbRightTrim = nullptr;
    QMenu* m_pmColumns = nullptr;
    QAction* m_miInsertColumn = nullptr;
    QAction* m_miDeleteColumn = nullptr;
};
