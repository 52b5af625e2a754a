// The palette's window and its four pages, built in code; every widget carries the name that
// tests and the rest of the program know it by.
#include "app/FControlSettings.h"

#include "app/NumberKeyFilter.h"
#include "app/PaletteCaption.h"
#include "app/PaletteGlyphs.h"
#include "app/PaletteLists.h"
#include "app/PaletteTexts.h"
#include "app/UpDownButton.h"
#include "barcode/BarcodeTypes.h"
#include "document/ShapeLabel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kSpacing = 2;
constexpr int kButtonSide = 24;
constexpr int kCompassSide = 21;

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void Compact(QLayout* layout, int margin = kSpacing) {
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(kSpacing);
}

// The button invokes the action and mirrors its hint, enabled state and check.
void BindToAction(QAbstractButton* button, QAction* action) {
    if (!action) {
        button->setEnabled(false);
        return;
    }
    button->setToolTip(action->toolTip());
    button->setCheckable(action->isCheckable());
    const auto mirror = [button, action] {
        button->setEnabled(action->isEnabled());
        if (action->isCheckable())
            button->setChecked(action->isChecked());
    };
    mirror();
    QObject::connect(action, &QAction::changed, button, mirror);
    QObject::connect(button, &QAbstractButton::clicked, action, [action, mirror] {
        action->trigger();
        mirror();
    });
}

QToolButton* GlyphButton(const char* name, const QIcon& icon, const QString& hint) {
    auto* button = Named(new QToolButton, name);
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setFixedSize(kButtonSide, kButtonSide);
    return button;
}

struct TShapeButton {
    uint8_t Format;
    const char* Name;
    const char* Hint;
};
constexpr TShapeButton kShapeButtons[] = {
    {sfRectangle, "sbRectangle", PaletteText::Rectangle},
    {sfEllipse, "sbEllipse", PaletteText::Ellipse},
    {sfTriangle, "sbTriangle", PaletteText::Triangle},
    {sfRoundRect, "sbRoundRect", PaletteText::RoundedRectangle},
    {sfHorizontalLine, "sbHorizontalLine", PaletteText::HorizontalLine},
    {sfVerticalLine, "sbVerticalLine", PaletteText::VerticalLine},
};

// The rotation buttons as a compass: row and column in a 3 x 3 grid.
struct TRotationButton {
    int Rotation;
    const char* Name;
    const char* Hint;
    TPaletteGlyph Glyph;
    int Row, Column;
};
constexpr TRotationButton kRotationButtons[] = {
    {0, "sbNoRotation", PaletteText::NoRotation, TPaletteGlyph::Rotate0, 0, 1},
    {1, "sbRotate90", PaletteText::Rotate90, TPaletteGlyph::Rotate90, 1, 2},
    {2, "sbRotate180", PaletteText::Rotate180, TPaletteGlyph::Rotate180, 2, 1},
    {3, "sbRotate270", PaletteText::Rotate270, TPaletteGlyph::Rotate270, 1, 0},
};

QFrame* Swatch(const char* name) {
    auto* swatch = Named(new QFrame, name);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(18, 18);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, Qt::black);
    swatch->setPalette(palette);
    return swatch;
}
} // namespace

void TFControlSettings::BuildWindow() {
    setWindowTitle(Text(PaletteText::Caption));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setContentsMargins(1, 1, 1, 1); // room for the border paintEvent draws
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_caption = Named(new TPaletteCaption(Text(PaletteText::Caption)), "pCaption");
    layout->addWidget(m_caption);

    m_client = Named(new QWidget, "pClient");
    m_client->setFixedSize(ClientWidth, ClientHeight);
    auto* client = new QVBoxLayout(m_client);
    client->setContentsMargins(0, 0, 0, 0);
    client->setSpacing(1);
    auto* line = Named(new QFrame, "Bevel1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    client->addWidget(line);
    m_pages = Named(new QTabWidget, "PageControl");
    m_pages->setUsesScrollButtons(false);
    m_pages->setDocumentMode(true);
    m_page[pgCommon] = BuildCommonPage();
    m_page[pgBarcode] = BuildBarcodePage();
    m_page[pgShape] = BuildShapePage();
    m_page[pgImage] = BuildImagePage();
    m_pages->addTab(m_page[pgCommon], Text(PaletteText::CommonPage));
    m_pages->addTab(m_page[pgBarcode], Text(PaletteText::BarcodePage));
    m_pages->setTabToolTip(pgBarcode, Text(PaletteText::BarcodePageHint));
    m_pages->addTab(m_page[pgShape], Text(PaletteText::ShapePage));
    m_pages->setTabToolTip(pgShape, Text(PaletteText::ShapePageHint));
    m_pages->addTab(m_page[pgImage], Text(PaletteText::ImagePage));
    client->addWidget(m_pages, 1);
    layout->addWidget(m_client);
}

QToolButton* TFControlSettings::ActionButton(QAction* action, const char* name, QIcon icon) {
    QToolButton* button = GlyphButton(name, icon, action ? action->toolTip() : QString());
    BindToAction(button, action);
    return button;
}

QWidget* TFControlSettings::BuildCommonPage() {
    auto* page = Named(new QWidget, "tsCommon");
    auto* layout = new QVBoxLayout(page);
    // Tight margins: the page also holds the place and size boxes.
    Compact(layout, 3);

    auto* options = Named(new QGroupBox(Text(PaletteText::ControlOptions)), "gbControlOptions");
    auto* row = new QHBoxLayout(options);
    Compact(row, 2);
    row->addWidget(ActionButton(m_host.BringToFront, "sbBringToFront",
                                PaletteGlyph(TPaletteGlyph::BringToFront)));
    row->addWidget(
        ActionButton(m_host.SendToBack, "sbSendToBack", PaletteGlyph(TPaletteGlyph::SendToBack)));
    m_autoSizeButton =
        ActionButton(m_host.AutoSize, "sbAutoSize", PaletteGlyph(TPaletteGlyph::AutoSize));
    row->addWidget(m_autoSizeButton);
    m_transparentButton =
        ActionButton(m_host.Transparent, "sbTransparent", PaletteGlyph(TPaletteGlyph::Transparent));
    row->addWidget(m_transparentButton);
    row->addStretch();
    layout->addWidget(options);

    m_rotationGroup = Named(new QGroupBox(Text(PaletteText::Rotation)), "gbRotation");
    auto* compass = new QGridLayout(m_rotationGroup);
    Compact(compass, 2);
    compass->setSpacing(0);
    m_rotationButtons = new QButtonGroup(this);
    for (const TRotationButton& b : kRotationButtons) {
        QToolButton* button = GlyphButton(b.Name, PaletteGlyph(b.Glyph), Text(b.Hint));
        button->setFixedSize(kCompassSide, kCompassSide);
        button->setCheckable(true);
        m_rotationButtons->addButton(button, b.Rotation);
        compass->addWidget(button, b.Row, b.Column);
    }
    m_rotationButtons->button(0)->setChecked(true);
    compass->setColumnStretch(3, 1);
    // The page's height is fixed: Shrink to Fit sits beside the compass.
    auto* beside = new QHBoxLayout;
    beside->addWidget(m_rotationGroup);
    beside->addWidget(BuildShrinkToFit(), 0, Qt::AlignVCenter);
    layout->addLayout(beside);
    layout->addLayout(BuildBoxes());
    layout->addStretch();
    return page;
}

QLineEdit* TFControlSettings::NumberField(const char* name, const char* hint) {
    auto* field = Named(new QLineEdit, name);
    if (hint)
        field->setToolTip(Text(hint));
    field->installEventFilter(new TNumberKeyFilter(field));
    return field;
}

QWidget* TFControlSettings::BuildBarcodePage() {
    auto* page = Named(new QWidget, "tsBarcode");
    auto* layout = new QVBoxLayout(page);
    Compact(layout, 4);
    auto* typeLabel = Named(new QLabel(Text(PaletteText::BarcodeType)), "lBarcodeType");
    layout->addWidget(typeLabel);
    m_cbBarcodeType = Named(new QComboBox, "cbBarcodeType");
    m_cbBarcodeType->addItems(BarcodeTypeListTexts());
    m_cbBarcodeType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbBarcodeType->setMinimumContentsLength(8);
    m_cbBarcodeType->setMaxVisibleItems(BarcodeTypeListTexts().size());
    // The drop-down may be wider than the palette so that every name shows whole.
    m_cbBarcodeType->view()->setMinimumWidth(m_cbBarcodeType->view()->sizeHintForColumn(0) + 8);
    typeLabel->setBuddy(m_cbBarcodeType);
    layout->addWidget(m_cbBarcodeType);

    m_cbInterpret = Named(new QCheckBox(Text(PaletteText::Interpretation)), "cbInterpret");
    m_cbInterpret->setToolTip(Text(PaletteText::InterpretationHint));
    m_cbInterpret->setChecked(true);
    layout->addWidget(m_cbInterpret);

    // the two-dimensional types' options on one row, shown for the types that use them; the
    // page has no room for a caption each, their hints say what they are
    auto* matrix = new QHBoxLayout;
    matrix->setContentsMargins(0, 0, 0, 0);
    matrix->setSpacing(3);
    m_cbQrEcc = Named(new QComboBox, "cbQrEcc");
    m_cbQrEcc->addItems(
        {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"), QStringLiteral("H")});
    m_cbQrEcc->setToolTip(Text(PaletteText::QrEccHint));
    m_cbSymbolSize = Named(new QComboBox, "cbSymbolSize");
    m_cbSymbolSize->setToolTip(Text(PaletteText::SymbolSizeHint));
    m_cbSymbolSize->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbSymbolSize->setMinimumContentsLength(6);
    m_cbSymbolSize->view()->setMinimumWidth(
        m_cbSymbolSize->fontMetrics().horizontalAdvance(QStringLiteral("Version 40 (177 x 177)")) +
        24);
    matrix->addWidget(m_cbQrEcc);
    matrix->addWidget(m_cbSymbolSize, 1);
    layout->addLayout(matrix);

    auto* width = Named(new QGroupBox(Text(PaletteText::BarcodeWidth)), "gbBarcodeWidth");
    auto* widthLayout = new QVBoxLayout(width);
    Compact(widthLayout, 4);
    m_rbAutoSize = Named(new QRadioButton(Text(PaletteText::AutoSizeWidth)), "rbAutoSize");
    m_rbCustom = Named(new QRadioButton(Text(PaletteText::CustomWidth)), "rbCustom");
    m_rbAutoSize->setChecked(true);
    widthLayout->addWidget(m_rbAutoSize);
    widthLayout->addWidget(m_rbCustom);
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    m_eNBW = NumberField("eNBW", nullptr);
    m_eNBW->setMaxLength(8);
    m_eNBW->setFixedWidth(60);
    m_sbBarWidth = Named(new TUpDownButton, "sbBarWidth");
    m_lScale = Named(new QLabel(Text(PaletteText::Mils)), "LScale");
    row->addWidget(m_eNBW);
    row->addWidget(m_sbBarWidth);
    row->addSpacing(3);
    row->addWidget(m_lScale);
    row->addStretch();
    widthLayout->addLayout(row);
    layout->addWidget(width);
    layout->addStretch();
    ShowWidthMode(false);
    ShowMatrixOptions(btCode128);
    return page;
}

QWidget* TFControlSettings::BuildShapePage() {
    auto* page = Named(new QWidget, "tsShape");
    auto* layout = new QVBoxLayout(page);
    Compact(layout, 4);
    auto* shapes = new QHBoxLayout;
    shapes->setSpacing(0);
    m_shapeButtons = new QButtonGroup(this);
    for (const TShapeButton& b : kShapeButtons) {
        QToolButton* button = GlyphButton(b.Name, ShapeGlyph(b.Format), Text(b.Hint));
        button->setCheckable(true);
        m_shapeButtons->addButton(button, b.Format);
        shapes->addWidget(button);
    }
    shapes->addStretch();
    m_shapeButtons->button(sfRectangle)->setChecked(true);
    layout->addLayout(shapes);

    auto* penLabel = Named(new QLabel(Text(PaletteText::LineSize)), "lLineSize");
    m_cbPenSize = Named(new TPaletteComboBox(TPaletteList::PenSize), "cbPenSize");
    penLabel->setBuddy(m_cbPenSize);
    auto* brushLabel = Named(new QLabel(Text(PaletteText::FillStyle)), "lFillStyle");
    m_cbBrushStyle = Named(new TPaletteComboBox(TPaletteList::BrushStyle), "cbBrushStyle");
    brushLabel->setBuddy(m_cbBrushStyle);
    layout->addWidget(penLabel);
    layout->addWidget(m_cbPenSize);
    layout->addWidget(brushLabel);
    layout->addWidget(m_cbBrushStyle);

    m_pLine = Swatch("pLine");
    m_pFill = Swatch("pFill");
    const auto colourRow = [&](const char* name, const char* text, QFrame* swatch,
                               void (TFControlSettings::*choose)()) {
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        auto* button = Named(new QPushButton(Text(text)), name);
        connect(button, &QPushButton::clicked, this, choose);
        row->addWidget(button, 1);
        row->addWidget(swatch);
        layout->addLayout(row);
    };
    colourRow("sbLineColor", PaletteText::SelectLineColor, m_pLine,
              &TFControlSettings::ChooseLineColour);
    colourRow("sbFillColor", PaletteText::SelectFillColor, m_pFill,
              &TFControlSettings::ChooseFillColour);
    layout->addStretch();
    return page;
}

QWidget* TFControlSettings::BuildImagePage() {
    auto* page = Named(new QWidget, "tsImage");
    auto* layout = new QVBoxLayout(page);
    Compact(layout, 4);
    auto* import = Named(new QPushButton(Text(PaletteText::ImportImage)), "sbImportImage");
    BindToAction(import, m_host.ImportImage);
    layout->addWidget(import);

    auto* size = Named(new QGroupBox(Text(PaletteText::ImageSize)), "gbImageSize");
    auto* grid = new QGridLayout(size);
    Compact(grid, 4);
    m_eScaleH = NumberField("eScaleH", PaletteText::ScaleHeightHint);
    m_eScaleW = NumberField("eScaleW", PaletteText::ScaleWidthHint);
    grid->addWidget(new QLabel(Text(PaletteText::ScaleHeight)), 0, 0);
    grid->addWidget(m_eScaleH, 0, 1);
    grid->addWidget(new QLabel(Text(PaletteText::Percent)), 0, 2);
    grid->addWidget(new QLabel(Text(PaletteText::ScaleWidth)), 1, 0);
    grid->addWidget(m_eScaleW, 1, 1);
    grid->addWidget(new QLabel(Text(PaletteText::Percent)), 1, 2);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 2, 0, 1, 3);
    m_lImageHeight = Named(new QLabel, "LImageHeight");
    m_lImageWidth = Named(new QLabel, "LImageWidth");
    grid->addWidget(new QLabel(Text(PaletteText::HeightLabel)), 3, 0);
    grid->addWidget(m_lImageHeight, 3, 1, 1, 2);
    grid->addWidget(new QLabel(Text(PaletteText::WidthLabel)), 4, 0);
    grid->addWidget(m_lImageWidth, 4, 1, 1, 2);
    layout->addWidget(size);

    m_cbMaintainAspect =
        Named(new QCheckBox(Text(PaletteText::MaintainAspect)), "cbMaintainAspect");
    BindToAction(m_cbMaintainAspect, m_host.MaintainAspect);
    layout->addWidget(m_cbMaintainAspect);
    layout->addStretch();
    return page;
}

void TFControlSettings::ConnectPages() {
    connect(m_cbBarcodeType, &QComboBox::currentIndexChanged, this,
            &TFControlSettings::BarcodeTypeChosen);
    connect(m_cbInterpret, &QCheckBox::clicked, this, &TFControlSettings::InterpretClicked);
    connect(m_cbQrEcc, &QComboBox::currentIndexChanged, this, &TFControlSettings::QrEccChosen);
    connect(m_cbSymbolSize, &QComboBox::currentIndexChanged, this,
            &TFControlSettings::SymbolSizeChosen);
    connect(m_rbAutoSize, &QRadioButton::clicked, this, &TFControlSettings::WidthModeClicked);
    connect(m_rbCustom, &QRadioButton::clicked, this, &TFControlSettings::WidthModeClicked);
    connect(m_sbBarWidth, &TUpDownButton::Stepped, this, &TFControlSettings::StepBarWidth);
    connect(m_cbPenSize, &QComboBox::currentIndexChanged, this, &TFControlSettings::PenSizeChosen);
    connect(m_cbBrushStyle, &QComboBox::currentIndexChanged, this,
            &TFControlSettings::BrushStyleChosen);
    connect(m_shapeButtons, &QButtonGroup::idClicked, this, &TFControlSettings::ShapeButtonClicked);
    connect(m_rotationButtons, &QButtonGroup::idClicked, this, &TFControlSettings::RotationClicked);

    // Enter applies and keeps the field for more typing; leaving the field applies too (Enter
    // also finishes the editing, which must not apply a second time).
    connect(m_eNBW, &QLineEdit::returnPressed, this, &TFControlSettings::ApplyNarrowBarWidth);
    connect(m_eNBW, &QLineEdit::editingFinished, this, [this] {
        if (!m_eNBW->hasFocus())
            ApplyNarrowBarWidth();
    });
    const auto scaleField = [this](QLineEdit* field, TScaleField which) {
        connect(field, &QLineEdit::returnPressed, this, [this, field, which] {
            ApplyImageScale(which);
            field->selectAll();
        });
        connect(field, &QLineEdit::editingFinished, this, [this, field, which] {
            if (!field->hasFocus())
                ApplyImageScale(which);
        });
    };
    scaleField(m_eScaleH, TScaleField::Height);
    scaleField(m_eScaleW, TScaleField::Width);

    connect(m_caption, &TPaletteCaption::PinPressed, this,
            [this] { SetAutoExpand(!m_autoExpand); });
    connect(m_caption, &TPaletteCaption::CloseClicked, this, &QWidget::hide);
    connect(m_caption, &TPaletteCaption::DragStarted, this, &TFControlSettings::StartDrag);
    connect(m_caption, &TPaletteCaption::Dragged, this, &TFControlSettings::DragTo);
}
