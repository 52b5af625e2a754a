#include "app/FControlSettings.h"

#include "app/BarWidth.h"
#include "app/PaletteCaption.h"
#include "app/PaletteLists.h"
#include "app/PalettePreferences.h"
#include "app/PaletteTexts.h"
#include "app/UpDownButton.h"
#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Screen.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <iterator>

TColorDialog DesktopColorDialog() {
    return [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
}

TFControlSettings::TFControlSettings(const TPaletteHost& host, TPreferenceStore& store)
    : QWidget(host.MainWindow, Qt::Tool | Qt::FramelessWindowHint), m_host(host), m_store(store),
      m_colorDialog(DesktopColorDialog()) {
    BuildWindow();
    ConnectPages();
    const TPalettePreferences preferences = TPalettePreferences::Read(store);
    m_docking.AttachPosition = preferences.AttachPosition;
    m_autoExpand = preferences.AutoExpand;
    m_caption->SetAutoExpand(m_autoExpand);
    FollowSelection(nullptr);
    SetExpanded(!m_autoExpand);
}

TFControlSettings::~TFControlSettings() {
    WritePreferences();
}

void TFControlSettings::WritePreferences() {
    TPalettePreferences{m_autoExpand, m_docking.AttachPosition}.Write(m_store);
}

// --- following the selection -----------------------------------------------------------------

bool TFControlSettings::Alive(const TLabelControl* c) const {
    if (!c)
        return false;
    if (!m_host.Label)
        return true;
    const auto& controls = m_host.Label->Document().Controls();
    return std::any_of(controls.begin(), controls.end(),
                       [c](const auto& owned) { return owned.get() == c; });
}

TLabelControl* TFControlSettings::Selected(uint8_t kind) const {
    if (!Alive(m_selection) || m_selection->Kind() != kind)
        return nullptr;
    return m_selection;
}

bool TFControlSettings::Metric() const {
    return m_host.Label && m_host.Label->MetricGrid;
}

int32_t TFControlSettings::PrinterResolution() const {
    return m_host.PrinterResolution ? m_host.PrinterResolution() : TPrinterPage().PixelsPerInchX;
}

int TFControlSettings::KindPage(TControlKind kind) {
    struct TKindPage {
        TControlKind Kind;
        int Page;
    };
    static constexpr TKindPage kPages[] = {
        {ckBarcode, pgBarcode}, {ckText, -1},         {ckMemo, -1},
        {ckShape, pgShape},     {ckGraphic, pgImage},
    };
    static_assert(CoversEveryKind(kPages), "one entry per storable kind, in kind order");
    return kind < std::size(kPages) ? kPages[kind].Page : -1;
}

void TFControlSettings::FollowSelection(TLabelControl* s) {
    // A control deleted since it was shown must not pass for a new one at the same address.
    if (!Alive(m_lastShown))
        m_lastShown = nullptr;
    m_selection = s;
    const TControlKind kind = s ? s->Kind() : ckBase;
    const int page = KindPage(kind);
    for (const int p : {pgBarcode, pgShape, pgImage})
        m_pages->setTabVisible(p, p == page);
    m_rotationGroup->setEnabled(KindTraits(kind).Rotates);
    if (!s)
        return;

    QScopedValueRollback<bool> filling(m_filling, true);
    m_transparentButton->setChecked(s->Transparent());
    m_autoSizeButton->setChecked(s->AutoSize());
    ReflectRotation();
    if (page == pgBarcode)
        FillBarcodePage(s);
    else if (page == pgShape)
        FillShapePage(s);
    else if (page == pgImage)
        FillImagePage(s);
    // The same control again keeps the page the user chose.
    if (page >= 0 && s != m_lastShown)
        m_pages->setCurrentIndex(page);
    m_lastShown = s;
}

void TFControlSettings::ReflectRotation() {
    if (!Alive(m_selection))
        return;
    if (QAbstractButton* button = m_rotationButtons->button(m_selection->Rotation()))
        button->setChecked(true);
}

void TFControlSettings::FillBarcodePage(TLabelControl* c) {
    const auto* barcode = static_cast<const TBarcodeLabel*>(c);
    m_cbBarcodeType->setCurrentIndex(BarcodeTypeToIndex(barcode->BarcodeType()));
    (barcode->AutoScale() ? m_rbAutoSize : m_rbCustom)->setChecked(true);
    ShowWidthMode(!barcode->AutoScale());
    const TBarWidthRule rule(PrinterResolution(), Metric());
    m_eNBW->setText(rule.Display(barcode->NarrowBarWidth()));
    m_lScale->setText(rule.UnitText());
    m_cbInterpret->setChecked(barcode->Interpret());
    ShowMatrixOptions(barcode->BarcodeType());
    m_cbQrEcc->setCurrentIndex(barcode->QrEcc());
    const int size =
        barcode->BarcodeType() == btQrCode ? barcode->QrVersion() : barcode->DataMatrixSize();
    const int at = m_cbSymbolSize->findData(size);
    m_cbSymbolSize->setCurrentIndex(at < 0 ? 0 : at);
}

void TFControlSettings::ShowMatrixOptions(TBarcodeType type) {
    const bool ecc = UsesQrEcc(type);
    const std::vector<int> sizes = MatrixSizeChoices(type);
    m_cbQrEcc->setVisible(ecc);
    m_cbSymbolSize->setVisible(!sizes.empty());
    // Data Matrix and GS1 DataMatrix share one list
    if (sizes.empty() || MatrixSizeChoices(m_sizeListType) == sizes)
        return;
    QSignalBlocker blocker(m_cbSymbolSize);
    m_cbSymbolSize->clear();
    m_cbSymbolSize->addItem(QString::fromUtf8(PaletteText::AutomaticSize), 0);
    for (int size : sizes)
        m_cbSymbolSize->addItem(MatrixSizeText(type, size), size);
    m_sizeListType = type;
}

void TFControlSettings::ShowWidthMode(bool custom) {
    m_lScale->setEnabled(custom);
    m_eNBW->setEnabled(custom);
    m_sbBarWidth->setEnabled(custom);
    // Greyed like a caption's text while the standard width applies.
    QPalette palette = m_eNBW->palette();
    palette.setColor(QPalette::Base,
                     QApplication::palette().color(custom ? QPalette::Base : QPalette::Window));
    m_eNBW->setPalette(palette);
}

void TFControlSettings::FillShapePage(TLabelControl* c) {
    const auto* shape = static_cast<const TShapeLabel*>(c);
    if (QAbstractButton* button = m_shapeButtons->button(shape->ShapeFormat()))
        button->setChecked(true);
    m_cbPenSize->setCurrentIndex(shape->PenWidth() - 1);
    m_cbBrushStyle->setCurrentIndex(shape->BrushStyle());
    ShowSwatch(m_pLine, ToQColor(shape->PenColor()));
    ShowSwatch(m_pFill, ToQColor(shape->BrushColor()));
}

void TFControlSettings::ShowSwatch(QFrame* swatch, const QColor& colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
}

void TFControlSettings::FillImagePage(TLabelControl* c) {
    const auto* image = static_cast<const TGraphicLabel*>(c);
    // The main window's command inverts the action's check, so both must show the image's.
    if (m_host.MaintainAspect)
        m_host.MaintainAspect->setChecked(image->KeepAspect());
    m_cbMaintainAspect->setChecked(image->KeepAspect());
    ImageSizeDisplay();
}

void TFControlSettings::ImageSizeDisplay() {
    const auto* image = static_cast<const TGraphicLabel*>(Selected(ckGraphic));
    if (!image)
        return;
    const TImageSizeTexts texts =
        ImageSizeTexts(QSize(image->Width(), image->Height()), image->Picture().size(), Metric(),
                       ScreenPixelsPerInchX(), ScreenPixelsPerInchY());
    m_lImageHeight->setText(texts.Height);
    m_lImageWidth->setText(texts.Width);
    m_eScaleH->setText(texts.ScaleHeight);
    m_eScaleW->setText(texts.ScaleWidth);
}

TBarcodeType TFControlSettings::CurrentBarcodeType() const {
    return IndexToBarcodeType(m_cbBarcodeType->currentIndex());
}

// --- commands --------------------------------------------------------------------------------

void TFControlSettings::RaiseEdited() {
    emit Edited();
}

void TFControlSettings::BarcodeTypeChosen(int index) {
    auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
    if (m_filling || !barcode || index < 0)
        return;
    const TBarcodeType type = IndexToBarcodeType(index);
    if (type == barcode->BarcodeType())
        return;
    barcode->SetBarcodeType(type);
    {
        QScopedValueRollback<bool> filling(m_filling, true);
        FillBarcodePage(barcode);
    }
    emit BarcodeTypeChanged(barcode);
    RaiseEdited();
}

void TFControlSettings::QrEccChosen(int index) {
    auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
    if (m_filling || !barcode || index < 0 || barcode->QrEcc() == index)
        return;
    barcode->SetQrEcc(uint8_t(index));
    RaiseEdited();
}

void TFControlSettings::SymbolSizeChosen(int index) {
    auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
    if (m_filling || !barcode || index < 0)
        return;
    const uint8_t size = uint8_t(m_cbSymbolSize->itemData(index).toInt());
    if (barcode->BarcodeType() == btQrCode) {
        if (barcode->QrVersion() == size)
            return;
        barcode->SetQrVersion(size);
    } else {
        if (barcode->DataMatrixSize() == size)
            return;
        barcode->SetDataMatrixSize(size);
    }
    RaiseEdited();
}

void TFControlSettings::InterpretClicked(bool on) {
    auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
    if (!barcode || barcode->Interpret() == on)
        return;
    barcode->SetInterpret(on);
    RaiseEdited();
}

void TFControlSettings::WidthModeClicked() {
    const bool automatic = m_rbAutoSize->isChecked();
    ShowWidthMode(!automatic);
    auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
    if (!barcode || barcode->AutoScale() == automatic)
        return;
    barcode->SetAutoScale(automatic);
    RaiseEdited();
}

void TFControlSettings::StepBarWidth(int direction) {
    if (!Selected(ckBarcode))
        return;
    const TBarWidthRule rule(PrinterResolution(), Metric());
    m_eNBW->setText(rule.Step(m_eNBW->text(), direction));
    ApplyNarrowBarWidth();
}

void TFControlSettings::ApplyNarrowBarWidth() {
    const TBarWidthRule rule(PrinterResolution(), Metric());
    const TBarWidthRule::TApplied applied = rule.Apply(m_eNBW->text());
    if (applied.Rewritten)
        m_eNBW->setText(applied.FieldText);
    auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
    if (!barcode || barcode->NarrowBarWidth() == applied.Mils)
        return;
    barcode->SetNarrowBarWidth(applied.Mils);
    RaiseEdited();
}

void TFControlSettings::ShapeButtonClicked(int format) {
    auto* shape = static_cast<TShapeLabel*>(Selected(ckShape));
    if (!shape || shape->ShapeFormat() == format)
        return;
    shape->SetShapeFormat(uint8_t(format));
    RaiseEdited();
}

void TFControlSettings::PenSizeChosen(int index) {
    auto* shape = static_cast<TShapeLabel*>(Selected(ckShape));
    if (m_filling || !shape || index < 0 || shape->PenWidth() == index + 1)
        return;
    shape->SetPenWidth(index + 1);
    RaiseEdited();
}

void TFControlSettings::BrushStyleChosen(int index) {
    auto* shape = static_cast<TShapeLabel*>(Selected(ckShape));
    if (m_filling || !shape || index < 0 || shape->BrushStyle() == index)
        return;
    shape->SetBrushStyle(uint8_t(index));
    RaiseEdited();
}

void TFControlSettings::ChooseLineColour() {
    if (!Selected(ckShape) || !m_colorDialog)
        return;
    const std::optional<QColor> chosen =
        m_colorDialog(this, m_pLine->palette().color(QPalette::Window));
    // The dialog is modal: the selection may have changed meanwhile.
    auto* shape = static_cast<TShapeLabel*>(Selected(ckShape));
    if (!chosen || !shape)
        return;
    ShowSwatch(m_pLine, *chosen);
    if (shape->PenColor() == FromQColor(*chosen))
        return;
    shape->SetPenColor(FromQColor(*chosen));
    RaiseEdited();
}

void TFControlSettings::ChooseFillColour() {
    if (!Selected(ckShape) || !m_colorDialog)
        return;
    const std::optional<QColor> chosen =
        m_colorDialog(this, m_pFill->palette().color(QPalette::Window));
    auto* shape = static_cast<TShapeLabel*>(Selected(ckShape));
    if (!chosen || !shape)
        return;
    ShowSwatch(m_pFill, *chosen);
    if (shape->BrushColor() == FromQColor(*chosen))
        return;
    shape->SetBrushColor(FromQColor(*chosen));
    RaiseEdited();
}

void TFControlSettings::ApplyImageScale(TScaleField left) {
    auto* image = static_cast<TGraphicLabel*>(Selected(ckGraphic));
    if (!image || image->Picture().isNull())
        return;
    const TImageScaleResult r =
        ApplyImageScaleRule(m_eScaleH->text(), m_eScaleW->text(), left, image->KeepAspect(),
                            QSize(image->Width(), image->Height()), image->Picture().size());
    m_eScaleH->setText(r.ScaleHeight);
    m_eScaleW->setText(r.ScaleWidth);
    const TRect before = image->Box();
    image->SaveOldBounds();
    image->SetBox(TRect::FromBox(before.Left, before.Top, r.Size.width(), r.Size.height()), false);
    if (image->Box() == before)
        return;
    image->Changed(true);
    RaiseEdited();
}

void TFControlSettings::RotationClicked(int rotation) {
    if (!Selected(ckBarcode) && !Selected(ckText))
        return;
    if (m_selection->Rotation() == rotation)
        return;
    m_selection->SetRotation(uint8_t(rotation));
    RaiseEdited();
}

// --- window: docking and rolling up ----------------------------------------------------------

bool TFControlSettings::MainWindowNormal() const {
    return m_host.MainWindow &&
           !(m_host.MainWindow->windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

bool TFControlSettings::CanPlaceWindows() const {
    // Wayland lets no program place its own windows.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void TFControlSettings::DockPalette() {
    if (!MainWindowNormal() || !CanPlaceWindows())
        return;
    const std::optional<QPoint> at =
        m_docking.Dock(m_host.MainWindow->frameGeometry(), width(), ExpandedHeight());
    if (at)
        move(*at);
}

int TFControlSettings::ExpandedHeight() const {
    const QMargins m = contentsMargins();
    return m.top() + m.bottom() + m_caption->sizeHint().height() + ClientHeight;
}

void TFControlSettings::SetExpanded(bool expanded) {
    m_expanded = expanded;
    m_client->setVisible(expanded);
    const QMargins m = contentsMargins();
    setFixedSize(ClientWidth + m.left() + m.right(),
                 ExpandedHeight() - (expanded ? 0 : ClientHeight));
    DockPalette();
}

void TFControlSettings::SetAutoExpand(bool on) {
    m_autoExpand = on;
    m_caption->SetAutoExpand(on);
    RunExpandRule();
}

void TFControlSettings::RunExpandRule() {
    const bool expanded = ExpandedAfter(m_autoExpand, frameGeometry().contains(QCursor::pos()));
    if (expanded != m_expanded)
        SetExpanded(expanded);
}

void TFControlSettings::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    RunExpandRule();
}

void TFControlSettings::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // A drop-down list or the colour dialog takes the mouse without the user leaving.
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return;
    RunExpandRule();
}

void TFControlSettings::StartDrag(QPoint cursor) {
    m_dragOffset = cursor - frameGeometry().topLeft();
    // Where the program cannot place windows, the window system moves it, undocked.
    if (!CanPlaceWindows() && windowHandle())
        windowHandle()->startSystemMove();
}

void TFControlSettings::DragTo(QPoint cursor) {
    if (!CanPlaceWindows())
        return;
    const QPoint proposed = cursor - m_dragOffset;
    if (!MainWindowNormal()) {
        move(proposed);
        return;
    }
    move(m_docking.Drag(m_host.MainWindow->frameGeometry(), proposed, frameGeometry().size()));
}

void TFControlSettings::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    m_pages->setCurrentIndex(pgCommon);
    DockPalette();
    emit VisibilityChanged(true);
}

void TFControlSettings::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit VisibilityChanged(false);
}

void TFControlSettings::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        m_caption->update();
}

void TFControlSettings::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
