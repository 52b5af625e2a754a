#pragma once

#include "document/LabelSettingsForm.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TBorderComboBox;
class TSheetEdit;
class TStockLibrary;

// The sheet set-up dialog ("Custom Label Settings"). A thin window over TLabelSettingsForm,
// which holds the field texts and every rule: the widgets hand their texts to the form before
// each rule runs and show the form's fields after it. Each showing starts again from the sheet
// settings; OK stores into them (and hands them to the defaults saver when asked), Cancel
// changes nothing. Callers run exec() and, when it returns Accepted, resize the label.
class TFLabelSettings : public QDialog {
    Q_OBJECT
public:
    TFLabelSettings(TSheetSettings& sheet, TPrinterPage& page,
                    TLabelSettingsForm::TFactsSource facts, QWidget* parent = nullptr);

    // Runs the printer set-up; true when the user confirmed it. "&Print Setup" stays disabled
    // until one is set.
    using TPrinterSetup = std::function<bool()>;
    void SetPrinterSetup(TPrinterSetup run);

    // Keeps the sheet settings as the stored defaults; throws TUserError when they cannot be
    // written, which the dialog shows without undoing OK. The caller owns the store, so
    // "Save Label Settings as Default" does nothing until one is set.
    using TDefaultsSaver = std::function<void(const TSheetSettings&)>;
    void SetDefaultsSaver(TDefaultsSaver save);

    // Fills every field from the sheet settings and shows the first page; every showing of the
    // dialog does this.
    void FormShow();

    const TLabelSettingsForm& Form() const { return m_form; }

    // The stocks "Stock..." offers; the installed library unless set. The library must outlive
    // the dialog.
    void SetStockLibrary(const TStockLibrary* library) { m_library = library; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    using TLength = TLabelSettingsForm::TLength;

    QWidget* BuildLabelSetupPage();
    QWidget* BuildPageMarginsPage();
    QWidget* BuildLabelBordersPage();
    QWidget* BuildPageInfoPage();
    QWidget* LengthEdit(TLength field, const char* name);
    QLabel* UnitLabel();
    void Connect();

    void PullTexts();
    void ShowFields();
    void ApplyEnabling();

    void LengthExit(TLength field);
    void CountExit(bool columns);
    void eRoundPctExit();
    void UnitClick(bool centimeters);
    void CountModeClick(bool manual);
    void cbBorderStyleChange(int index);
    void PrintSetupBtnClick();
    void StockBtnClick();
    void OkBtnClick();

    TSheetSettings& m_sheet;
    TLabelSettingsForm m_form;
    TPrinterSetup m_printerSetup;
    TDefaultsSaver m_saveDefaults;
    const TStockLibrary* m_library = nullptr;
    bool m_updating = false;  // set while the widgets are being filled from the form
    bool m_corrected = false; // a minimum-size message replaced a value

    QTabWidget* m_pages = nullptr;
    std::array<TSheetEdit*, TLabelSettingsForm::LengthCount> m_lengths{};
    std::array<QLabel*, TLabelSettingsForm::LengthCount> m_lengthCaptions{};
    QList<QLabel*> m_units;
    TSheetEdit* m_eCols = nullptr;
    TSheetEdit* m_eRows = nullptr;
    TSheetEdit* m_eRoundPct = nullptr;
    QLabel* m_colsCaption = nullptr;
    QLabel* m_rowsCaption = nullptr;
    QLabel* m_pctCaption = nullptr;
    QLabel* m_percent = nullptr;
    QLabel* m_sizeCaption = nullptr;
    QRadioButton* m_rbInches = nullptr;
    QRadioButton* m_rbCentimeters = nullptr;
    QRadioButton* m_rbAuto = nullptr;
    QRadioButton* m_rbManual = nullptr;
    QRadioButton* m_rbRectangle = nullptr;
    QRadioButton* m_rbRounded = nullptr;
    TBorderComboBox* m_cbBorderStyle = nullptr;
    TBorderComboBox* m_cbBorderSize = nullptr;
    std::array<QLabel*, 6> m_pageInfo{}; // top, bottom, left, right, height, width
    QCheckBox* m_cbSaveDefault = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_printSetup = nullptr;
    QLabel* m_stock = nullptr;
    QPushButton* m_stockBtn = nullptr;
};
