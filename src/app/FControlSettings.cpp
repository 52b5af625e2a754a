#include "app/FControlSettings.h"

#include "app/BarWidth.h"
#include "app/PaletteCaption.h"
#include "app/PaletteLists.h"
#include "app/PalettePreferences.h"
#include "app/PaletteShared.h"
#include "app/PaletteTexts.h"
#include "app/UpDownButton.h"
#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
#include "document/LabelDocument.h"
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
    // The boxes follow the selection wherever it is moved or sized from.
    if (m_host.Label)
        connect(&m_host.Label->Document(), &TLabelDocument::ControlChanged, this,
                [this](TLabelControl* c) {
                    if (std::find(m_selected.begin(), m_selected.end(), c) != m_selected.end())
                        ShowBoxes();
                });
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

std::vector<TLabelControl*> TFControlSettings::Targets() const {
    std::vector<TLabelControl*> alive;
    for (TLabelControl* c : m_selected)
        if (Alive(c))
            alive.push_back(c);
    return alive;
}

template <class T> std::vector<T*> TFControlSettings::Targets(TControlKind kind) const {
    std::vector<T*> of;
    for (TLabelControl* c : Targets())
        if (c->Kind() == kind)
            of.push_back(static_cast<T*>(c));
    return of;
}

void TFControlSettings::FollowSelection(TLabelControl* s) {
    // A control deleted since it was shown must not pass for a new one at the same address.
    if (!Alive(m_lastShown))
        m_lastShown = nullptr;
    m_selection = s;
    m_selected.clear();
    if (s && m_host.Label && m_host.Label->Document().Selection() == s)
        m_selected = m_host.Label->Document().SelectedControls();
    else if (s)
        m_selected = {s};
    // A page shows when any selected control has it; without a selection none does.
    std::array<bool, 4> shown{};
    bool rotates = KindTraits(s ? s->Kind() : ckBase).Rotates;
    for (const TLabelControl* c : m_selected) {
        if (const int p = KindPage(c->Kind()); p >= 0)
            shown[size_t(p)] = true;
        rotates = rotates || KindTraits(c->Kind()).Rotates;
    }
    for (const int p : {pgBarcode, pgShape, pgImage})
        m_pages->setTabVisible(p, shown[size_t(p)]);
    m_rotationGroup->setEnabled(rotates);
    ShowBoxes();
    FillShrinkToFit();
    if (!s)
        return;

    QScopedValueRollback<bool> filling(m_filling, true);
    const std::vector<TLabelControl*> all = Targets();
    m_transparentButton->setChecked(
        SharedValue(all, [](const TLabelControl& c) { return c.Transparent(); }).value_or(false));
    m_autoSizeButton->setChecked(
        SharedValue(all, [](const TLabelControl& c) { return c.AutoSize(); }).value_or(false));
    ReflectRotation();
    if (shown[pgBarcode])
        FillBarcodePage();
    if (shown[pgShape])
        FillShapePage();
    if (shown[pgImage])
        FillImagePage();
    // The same control again keeps the page the user chose.
    const int page = KindPage(s->Kind());
    if (page >= 0 && s != m_lastShown)
        m_pages->setCurrentIndex(page);
    m_lastShown = s;
}

void TFControlSettings::ReflectRotation() {
    std::vector<TLabelControl*> rotating;
    for (TLabelControl* c : Targets())
        if (KindTraits(c->Kind()).Rotates || c == m_selection)
            rotating.push_back(c);
    if (rotating.empty())
        return;
    ShowShared(m_rotationButtons,
               SharedValue(rotating, [](const TLabelControl& c) { return int(c.Rotation()); }));
}

void TFControlSettings::FillBarcodePage() {
    const std::vector<TBarcodeLabel*> barcodes = Targets<TBarcodeLabel>(ckBarcode);
    const auto shared = [&barcodes](auto get) { return SharedValue(barcodes, get); };
    const std::optional<TBarcodeType> type =
        shared([](const TBarcodeLabel& b) { return b.BarcodeType(); });
    ShowShared(m_cbBarcodeType, type ? std::optional(BarcodeTypeToIndex(*type)) : std::nullopt);
    if (type)
        m_lastBarcodeType = *type;
    const std::optional<bool> automatic =
        shared([](const TBarcodeLabel& b) { return b.AutoScale(); });
    ShowShared(m_rbAutoSize, m_rbCustom, automatic);
    ShowWidthMode(!automatic.value_or(false));
    const TBarWidthRule rule(PrinterResolution(), Metric());
    const std::optional<double> mils =
        shared([](const TBarcodeLabel& b) { return b.NarrowBarWidth(); });
    ShowShared(m_eNBW, mils ? std::optional(rule.Display(*mils)) : std::nullopt);
    m_lScale->setText(rule.UnitText());
    ShowShared(m_cbInterpret, shared([](const TBarcodeLabel& b) { return b.Interpret(); }));
    // The two-dimensional options only where every barcode is of one type.
    if (!type) {
        m_cbQrEcc->setVisible(false);
        m_cbSymbolSize->setVisible(false);
        return;
    }
    ShowMatrixOptions(*type);
    ShowShared(m_cbQrEcc, shared([](const TBarcodeLabel& b) { return int(b.QrEcc()); }));
    const std::optional<int> size = shared([](const TBarcodeLabel& b) {
        return int(b.BarcodeType() == btQrCode ? b.QrVersion() : b.DataMatrixSize());
    });
    const int at = size ? m_cbSymbolSize->findData(*size) : -1;
    ShowShared(m_cbSymbolSize, !size ? std::nullopt : std::optional(at < 0 ? 0 : at));
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

void TFControlSettings::FillShapePage() {
    const std::vector<TShapeLabel*> shapes = Targets<TShapeLabel>(ckShape);
    const auto shared = [&shapes](auto get) { return SharedValue(shapes, get); };
    ShowShared(m_shapeButtons, shared([](const TShapeLabel& c) { return int(c.ShapeFormat()); }));
    ShowShared(m_cbPenSize, shared([](const TShapeLabel& c) { return int(c.PenWidth()) - 1; }));
    ShowShared(m_cbBrushStyle, shared([](const TShapeLabel& c) { return int(c.BrushStyle()); }));
    // Colours that differ show as a swatch of the palette's own face.
    const QColor face = palette().color(QPalette::Button);
    const auto colour = [&face](std::optional<TColor> c) { return c ? ToQColor(*c) : face; };
    ShowSwatch(m_pLine, colour(shared([](const TShapeLabel& c) { return c.PenColor(); })));
    ShowSwatch(m_pFill, colour(shared([](const TShapeLabel& c) { return c.BrushColor(); })));
}

void TFControlSettings::ShowSwatch(QFrame* swatch, const QColor& colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
}

void TFControlSettings::FillImagePage() {
    const std::optional<bool> keep = SharedValue(
        Targets<TGraphicLabel>(ckGraphic), [](const TGraphicLabel& c) { return c.KeepAspect(); });
    // The main window's command inverts the action's check, so both must show the images'.
    if (m_host.MaintainAspect)
        m_host.MaintainAspect->setChecked(keep.value_or(false));
    m_cbMaintainAspect->setChecked(keep.value_or(false));
    ImageSizeDisplay();
}

void TFControlSettings::ImageSizeDisplay() {
    std::vector<TImageSizeTexts> texts;
    for (const TGraphicLabel* image : Targets<TGraphicLabel>(ckGraphic))
        texts.push_back(ImageSizeTexts(QSize(image->Width(), image->Height()),
                                       image->Picture().size(), Metric(), ScreenPixelsPerInchX(),
                                       ScreenPixelsPerInchY()));
    if (texts.empty())
        return;
    const auto shared = [&texts](QString TImageSizeTexts::*field) {
        for (const TImageSizeTexts& t : texts)
            if (t.*field != texts.front().*field)
                return QString();
        return texts.front().*field;
    };
    m_lImageHeight->setText(shared(&TImageSizeTexts::Height));
    m_lImageWidth->setText(shared(&TImageSizeTexts::Width));
    m_eScaleH->setText(shared(&TImageSizeTexts::ScaleHeight));
    m_eScaleW->setText(shared(&TImageSizeTexts::ScaleWidth));
}

TBarcodeType TFControlSettings::CurrentBarcodeType() const {
    const int index = m_cbBarcodeType->currentIndex();
    return index < 0 ? m_lastBarcodeType : IndexToBarcodeType(index);
}

// --- commands --------------------------------------------------------------------------------

void TFControlSettings::RaiseEdited() {
    emit Edited();
}

void TFControlSettings::BarcodeTypeChosen(int index) {
    if (m_filling || index < 0)
        return;
    const TBarcodeType type = IndexToBarcodeType(index);
    m_lastBarcodeType = type;
    bool changed = false;
    for (TBarcodeLabel* barcode : Targets<TBarcodeLabel>(ckBarcode))
        if (barcode->BarcodeType() != type) {
            barcode->SetBarcodeType(type);
            changed = true;
        }
    if (!changed)
        return;
    {
        QScopedValueRollback<bool> filling(m_filling, true);
        FillBarcodePage();
    }
    if (auto* barcode = static_cast<TBarcodeLabel*>(Selected(ckBarcode));
        barcode && m_selected.size() == 1)
        emit BarcodeTypeChanged(barcode);
    RaiseEdited();
}

void TFControlSettings::QrEccChosen(int index) {
    if (m_filling || index < 0)
        return;
    bool changed = false;
    for (TBarcodeLabel* barcode : Targets<TBarcodeLabel>(ckBarcode))
        if (barcode->QrEcc() != index) {
            barcode->SetQrEcc(uint8_t(index));
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::SymbolSizeChosen(int index) {
    if (m_filling || index < 0)
        return;
    const uint8_t size = uint8_t(m_cbSymbolSize->itemData(index).toInt());
    bool changed = false;
    for (TBarcodeLabel* barcode : Targets<TBarcodeLabel>(ckBarcode)) {
        const bool qr = barcode->BarcodeType() == btQrCode;
        if ((qr ? barcode->QrVersion() : barcode->DataMatrixSize()) == size)
            continue;
        if (qr)
            barcode->SetQrVersion(size);
        else
            barcode->SetDataMatrixSize(size);
        changed = true;
    }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::InterpretClicked(bool) {
    // A box that showed barcodes differing goes on for all of them at the first click.
    m_cbInterpret->setTristate(false);
    const bool on = m_cbInterpret->checkState() != Qt::Unchecked;
    m_cbInterpret->setChecked(on);
    bool changed = false;
    for (TBarcodeLabel* barcode : Targets<TBarcodeLabel>(ckBarcode))
        if (barcode->Interpret() != on) {
            barcode->SetInterpret(on);
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::WidthModeClicked() {
    const bool automatic = m_rbAutoSize->isChecked();
    ShowWidthMode(!automatic);
    bool changed = false;
    for (TBarcodeLabel* barcode : Targets<TBarcodeLabel>(ckBarcode))
        if (barcode->AutoScale() != automatic) {
            barcode->SetAutoScale(automatic);
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::StepBarWidth(int direction) {
    if (Targets<TBarcodeLabel>(ckBarcode).empty())
        return;
    const TBarWidthRule rule(PrinterResolution(), Metric());
    m_eNBW->setText(rule.Step(m_eNBW->text(), direction));
    ApplyNarrowBarWidth();
}

void TFControlSettings::ApplyNarrowBarWidth() {
    const std::vector<TBarcodeLabel*> barcodes = Targets<TBarcodeLabel>(ckBarcode);
    // An empty field over barcodes of differing widths leaves each its own.
    if (m_eNBW->text().isEmpty() && barcodes.size() > 1 &&
        !SharedValue(barcodes, [](const TBarcodeLabel& b) { return b.NarrowBarWidth(); }))
        return;
    const TBarWidthRule rule(PrinterResolution(), Metric());
    const TBarWidthRule::TApplied applied = rule.Apply(m_eNBW->text());
    if (applied.Rewritten)
        m_eNBW->setText(applied.FieldText);
    bool changed = false;
    for (TBarcodeLabel* barcode : barcodes)
        if (barcode->NarrowBarWidth() != applied.Mils) {
            barcode->SetNarrowBarWidth(applied.Mils);
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::ShapeButtonClicked(int format) {
    bool changed = false;
    for (TShapeLabel* shape : Targets<TShapeLabel>(ckShape))
        if (shape->ShapeFormat() != format) {
            shape->SetShapeFormat(uint8_t(format));
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::PenSizeChosen(int index) {
    if (m_filling || index < 0)
        return;
    bool changed = false;
    for (TShapeLabel* shape : Targets<TShapeLabel>(ckShape))
        if (shape->PenWidth() != index + 1) {
            shape->SetPenWidth(index + 1);
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::BrushStyleChosen(int index) {
    if (m_filling || index < 0)
        return;
    bool changed = false;
    for (TShapeLabel* shape : Targets<TShapeLabel>(ckShape))
        if (shape->BrushStyle() != index) {
            shape->SetBrushStyle(uint8_t(index));
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::ChooseLineColour() {
    if (Targets<TShapeLabel>(ckShape).empty() || !m_colorDialog)
        return;
    const std::optional<QColor> chosen =
        m_colorDialog(this, m_pLine->palette().color(QPalette::Window));
    // The dialog is modal: the selection may have changed meanwhile.
    const std::vector<TShapeLabel*> shapes = Targets<TShapeLabel>(ckShape);
    if (!chosen || shapes.empty())
        return;
    ShowSwatch(m_pLine, *chosen);
    bool changed = false;
    for (TShapeLabel* shape : shapes)
        if (shape->PenColor() != FromQColor(*chosen)) {
            shape->SetPenColor(FromQColor(*chosen));
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::ChooseFillColour() {
    if (Targets<TShapeLabel>(ckShape).empty() || !m_colorDialog)
        return;
    const std::optional<QColor> chosen =
        m_colorDialog(this, m_pFill->palette().color(QPalette::Window));
    const std::vector<TShapeLabel*> shapes = Targets<TShapeLabel>(ckShape);
    if (!chosen || shapes.empty())
        return;
    ShowSwatch(m_pFill, *chosen);
    bool changed = false;
    for (TShapeLabel* shape : shapes)
        if (shape->BrushColor() != FromQColor(*chosen)) {
            shape->SetBrushColor(FromQColor(*chosen));
            changed = true;
        }
    if (changed)
        RaiseEdited();
}

void TFControlSettings::ApplyImageScale(TScaleField left) {
    bool changed = false;
    for (TGraphicLabel* image : Targets<TGraphicLabel>(ckGraphic)) {
        if (image->Picture().isNull())
            continue;
        const QSize box(image->Width(), image->Height());
        // A field left empty, as for images of differing scales, keeps each image's own.
        const TImageSizeTexts own = ImageSizeTexts(box, image->Picture().size(), false, 1, 1);
        const auto text = [](const QLineEdit* field, const QString& fallback) {
            return field->text().trimmed().isEmpty() ? fallback : field->text();
        };
        const TImageScaleResult r =
            ApplyImageScaleRule(text(m_eScaleH, own.ScaleHeight), text(m_eScaleW, own.ScaleWidth),
                                left, image->KeepAspect(), box, image->Picture().size());
        if (m_selected.size() == 1) {
            m_eScaleH->setText(r.ScaleHeight);
            m_eScaleW->setText(r.ScaleWidth);
        }
        const TRect before = image->Box();
        image->SaveOldBounds();
        image->SetBox(TRect::FromBox(before.Left, before.Top, r.Size.width(), r.Size.height()),
                      false);
        if (image->Box() == before)
            continue;
        image->Changed(true);
        changed = true;
    }
    if (m_selected.size() > 1)
        ImageSizeDisplay();
    if (changed)
        RaiseEdited();
}

void TFControlSettings::RotationClicked(int rotation) {
    bool changed = false;
    for (TLabelControl* c : Targets())
        if (KindTraits(c->Kind()).Rotates && c->Rotation() != rotation) {
            c->SetRotation(uint8_t(rotation));
            changed = true;
        }
    if (changed)
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
