#pragma once

#include "merge/AdvancedField.h"
#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"
#include "merge/dialogs/DialogServices.h"
#include "merge/dialogs/FieldBoxes.h"

#include <QDialog>

#include <array>

class QAction;
class QLabel;
class QPushButton;
class QToolBar;
class TDataImport;
class TFDateHelp;
class TFieldListView;
class TFieldPanels;

// The advanced field editor ("Advanced Fields"): builds one control's element list from text,
// imported fields, counters and dates, editing the control's own elements in place, so there is
// nothing to cancel. Created once and reused: the boxes keep their contents between uses, and
// the first record of the last data file previewed feeds the result line for the whole session.
// "Preview" reads the data file chosen in the session's data import, which the print dialog
// shares. The rules are in FieldBoxes.h, FieldPreview.h and FieldListView.h.
class TFAdvanced : public QDialog {
    Q_OBJECT
public:
    // import must outlive the window.
    explicit TFAdvanced(TDataImport& import, QWidget* parent = nullptr);

    // Runs the editor modally on fields (centred over over, when given) and returns the
    // control's new Advanced flag: whether any element is left. The list then holds the elements
    // the user left, in the order they were left in.
    bool EditAdvancedFields(TFieldList& fields, QWidget* over = nullptr);

    // The two halves of EditAdvancedFields around the modal run, for tests that show the window
    // and drive it themselves.
    void BeginEditing(TFieldList& fields);
    bool EndEditing();

    // Where DATE elements read the clock (tests fix it).
    void SetDateSource(TDateSource dates) { m_dates = std::move(dates); }
    // The message boxes and file dialog the editor asks through (tests answer them).
    TMergeDialogServices& MergeDialogServices() { return m_services; }

    void UpdateEditPanel();
    void StoreEditedValues();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    enum TCommand { cmAddText, cmAddImport, cmAddSequence, cmAddDate, cmRemove, cmRemoveAll };
    static constexpr int CommandCount = 6;

    void BuildActions();
    QToolBar* BuildToolBar();
    QWidget* BuildBottomBar();
    void Connect();

    void AddField(TFieldPanel kind);
    void RemoveField();
    void RemoveAllFields();
    void SelectLine(int line);
    void lvFieldsSelect();
    void lvFieldsMouseUp();
    void lvFieldsMoved(int from, int to);
    void BoxExit(TFieldBox box, bool closing = false);
    void PreviewBtnClick();
    void sbDateHelpClick();

    void SyncFieldOrder();
    void RefreshResult();
    void ShowFieldName();
    void ShowDateExample();
    // Reads the column names again when the session's data or its settings (another sheet, query,
    // header choice) changed since they were last read.
    void ReadColumnNames(bool always);

    TDataImport& m_import;
    TFieldList* m_fields = nullptr;
    TDateSource m_dates;
    TMergeDialogServices m_services = DesktopMergeDialogServices();
    bool m_updating = false;   // set while the window fills its list and boxes
    bool m_refocusing = false; // set while a refused box takes the focus back
    bool m_hasSample = false;  // a data file was previewed
    TImportRecord m_sample;    // its first record
    TImportRecord m_header;    // the column names of the session's data, when it has some
    QString m_headerSource;    // the data m_header was read from, and with which settings
    TTextImportSettings m_headerSettings;

    std::array<QAction*, CommandCount> m_actions{};
    TFieldListView* m_lvFields = nullptr;
    TFieldPanels* m_panels = nullptr;
    QLabel* m_lResult = nullptr;
    QPushButton* m_previewBtn = nullptr;
    TFDateHelp* m_dateHelp = nullptr;
};
