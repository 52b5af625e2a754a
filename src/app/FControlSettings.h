#pragma once

#include "app/ImageScale.h"
#include "app/PaletteDocking.h"
#include "barcode/BarcodeTypes.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TCanvasLabel;
class TLabelControl;
class TPaletteCaption;
class TPreferenceStore;
enum TControlKind : uint8_t;
class TUpDownButton;
enum class TStepKind;

// What the palette is given by the main window. Every pointer may be null: a missing action
// leaves its button disabled, a missing window leaves the palette floating.
struct TPaletteHost {
    // The window the palette docks against.
    QWidget* MainWindow = nullptr;
    // The label: its MetricGrid chooses the units, and a selection that is no longer one of its
    // controls is treated as none.
    const TCanvasLabel* Label = nullptr;
    // The horizontal resolution of the printer, which the bar width steps in; 600 dots per inch
    // when not given.
    std::function<int32_t()> PrinterResolution;
    // The main window's commands behind the palette's buttons.
    QAction* BringToFront = nullptr;
    QAction* SendToBack = nullptr;
    QAction* AutoSize = nullptr;
    QAction* Transparent = nullptr;
    QAction* ImportImage = nullptr;
    QAction* MaintainAspect = nullptr;
    // Runs a change of the label as one undo step of that kind; the change runs on its own
    // when not given.
    std::function<void(TStepKind, const std::function<void()>&)> AsStep;
};

// Asks the user for a colour; none when cancelled.
using TColorDialog = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;
TColorDialog DesktopColorDialog();

// The "Control Settings" palette: a small tool window that shows and edits what the menus do
// not reach of the selected control (barcode type and bar width, shape kind, lines, fill and
// colours, image scale), docks magnetically against the main window and can roll itself up to
// its caption. The main window creates one after itself, calls FollowSelection on every
// selection change, DockPalette when it moves or is resized, ImageSizeDisplay when an image is
// placed, and destroys it before its preference store.
class TFControlSettings : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 161;
    static constexpr int ClientHeight = 200;

    TFControlSettings(const TPaletteHost& host, TPreferenceStore& store);
    // Writes the preferences.
    ~TFControlSettings() override;

    // Shows the pages that fit the selection (none possible) and fills them from it. When the
    // selection leads the label's selection of several controls, the palette shows what they
    // share and its changes apply to each of them that has the property.
    void FollowSelection(TLabelControl* selection);
    // The four boxes of the Common page.
    enum class TBox { Left, Top, Width, Height };
    // Takes what the box holds as the position or size of the selection: Left and Top move the
    // selection as a whole, Width and Height size each control. Text that is no length puts
    // the box back.
    void ApplyBox(TBox box);
    // The boxes show the selection's place and size again.
    void ShowBoxes();
    // The rotation buttons show the selected control's rotation again.
    void ReflectRotation();
    // Moves the palette to its attach position against the main window.
    void DockPalette();
    // The Image page's sizes and scales for the selected image.
    void ImageSizeDisplay();
    // Sets the selected barcode's bar width from eNBW.
    void ApplyNarrowBarWidth();
    // Resizes the selected image from the two scale fields; left: the field left or confirmed.
    void ApplyImageScale(TScaleField left);

    // The type chosen in the barcode type list (for new barcodes).
    TBarcodeType CurrentBarcodeType() const;

    TAttachPosition AttachPosition() const { return m_docking.AttachPosition; }
    const TPaletteDocking& Docking() const { return m_docking; }
    bool AutoExpand() const { return m_autoExpand; }
    void SetAutoExpand(bool on);
    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool expanded);
    // The window height when unrolled.
    int ExpandedHeight() const;

    void SetColorDialog(TColorDialog dialog) { m_colorDialog = std::move(dialog); }
    void WritePreferences();

    TPaletteCaption* Caption() const { return m_caption; }

signals:
    // The palette has changed the selected control (the label is modified).
    void Edited();
    // A barcode's type changed: its text is to be checked again against the new type, so the
    // main window shows the barcode's GetText in its text box, whose change rule stores it.
    void BarcodeTypeChanged(TLabelControl* barcode);
    // Shown or hidden (also by its own close button).
    void VisibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    enum TPage { pgCommon, pgBarcode, pgShape, pgImage };
    // The page a kind has besides the common one; -1 for none.
    static int KindPage(TControlKind kind);

    // Construction (FControlSettingsPages.cpp).
    void BuildWindow();
    QWidget* BuildCommonPage();
    QWidget* BuildBarcodePage();
    QWidget* BuildShapePage();
    QWidget* BuildImagePage();
    QToolButton* ActionButton(QAction* action, const char* name, QIcon icon);
    QLineEdit* NumberField(const char* name, const char* hint);
    QLayout* BuildBoxes();
    void ConnectPages();

    // Filling the pages from the selection.
    void FillBarcodePage();
    void FillShapePage();
    void FillImagePage();
    void ShowWidthMode(bool custom);
    void ShowSwatch(QFrame* swatch, const QColor& colour);

    // Commands.
    void BarcodeTypeChosen(int index);
    void InterpretClicked(bool on);
    void QrEccChosen(int index);
    void SymbolSizeChosen(int index);
    // Shows the 2D options that apply to the type, the size list filled for it.
    void ShowMatrixOptions(TBarcodeType type);
    void WidthModeClicked();
    void StepBarWidth(int direction);
    void ShapeButtonClicked(int format);
    void PenSizeChosen(int index);
    void BrushStyleChosen(int index);
    void ChooseLineColour();
    void ChooseFillColour();
    void RotationClicked(int rotation);

    // The selection if it is still on the label and of that kind.
    TLabelControl* Selected(uint8_t kind) const;
    // The selected controls still on the label, all of them or those of one kind.
    std::vector<TLabelControl*> Targets() const;
    template <class T> std::vector<T*> Targets(TControlKind kind) const;
    // Runs a change as one step of the label's history.
    void AsStep(TStepKind kind, const std::function<void()>& change);
    QLineEdit* BoxField(TBox box) const { return m_boxes[size_t(box)]; }
    bool Alive(const TLabelControl* c) const;
    bool Metric() const;
    int32_t PrinterResolution() const;
    bool MainWindowNormal() const;
    bool CanPlaceWindows() const;
    void RunExpandRule();
    void StartDrag(QPoint cursor);
    void DragTo(QPoint cursor);
    void RaiseEdited();

    TPaletteHost m_host;
    TPreferenceStore& m_store;
    TColorDialog m_colorDialog;
    TPaletteDocking m_docking;
    bool m_autoExpand = false;
    bool m_expanded = true;
    bool m_filling = false;
    QPoint m_dragOffset;
    TLabelControl* m_selection = nullptr;
    TLabelControl* m_lastShown = nullptr;
    // every control selected, the one above first
    std::vector<TLabelControl*> m_selected;
    // the type the barcode type list showed last, for new barcodes
    TBarcodeType m_lastBarcodeType = btCode128;

    TPaletteCaption* m_caption = nullptr;
    QWidget* m_client = nullptr;
    QTabWidget* m_pages = nullptr;
    std::array<QWidget*, 4> m_page{};
    // Common page.
    QToolButton* m_autoSizeButton = nullptr;
    QToolButton* m_transparentButton = nullptr;
    QGroupBox* m_rotationGroup = nullptr;
    QButtonGroup* m_rotationButtons = nullptr;
    std::array<QLineEdit*, 4> m_boxes{};
    // what each box showed last, so that leaving it unchanged changes nothing
    std::array<QString, 4> m_boxShown;
    // Barcode page.
    QComboBox* m_cbBarcodeType = nullptr;
    QCheckBox* m_cbInterpret = nullptr;
    QRadioButton* m_rbAutoSize = nullptr;
    QRadioButton* m_rbCustom = nullptr;
    QLineEdit* m_eNBW = nullptr;
    TUpDownButton* m_sbBarWidth = nullptr;
    QLabel* m_lScale = nullptr;
    QComboBox* m_cbQrEcc = nullptr;
    QComboBox* m_cbSymbolSize = nullptr;
    // the type whose sizes cbSymbolSize lists; at first a code of no type, which lists none
    TBarcodeType m_sizeListType = TBarcodeType(0xFF);
    // Shape page.
    QButtonGroup* m_shapeButtons = nullptr;
    QComboBox* m_cbPenSize = nullptr;
    QComboBox* m_cbBrushStyle = nullptr;
    QFrame* m_pLine = nullptr;
    QFrame* m_pFill = nullptr;
    // Image page.
    QLineEdit* m_eScaleH = nullptr;
    QLineEdit* m_eScaleW = nullptr;
    QLabel* m_lImageHeight = nullptr;
    QLabel* m_lImageWidth = nullptr;
    QCheckBox* m_cbMaintainAspect = nullptr;

    // Shrinking text to fit, on the Common page (FControlSettingsText.cpp).
    QCheckBox* BuildShrinkToFit();
    // The selected texts and formatted texts.
    std::vector<TLabelControl*> TextTargets() const;
    void FillShrinkToFit();
    void ShrinkToFitClicked();
    QCheckBox* m_cbShrinkToFit = nullptr;
};
