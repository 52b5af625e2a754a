#include "document/widgets/FLabelSettings.h"

#include "document/StockLibrary.h"
#include "document/widgets/BorderList.h"
#include "document/widgets/FStockPicker.h"
#include "document/widgets/LabelSettingsTexts.h"
#include "document/widgets/SheetEdit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace C = LabelSettingsCaption;

namespace {
QString Text(const char* text) {
    return QString::fromLatin1(text);
}

QRadioButton* Radio(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QRadioButton(Text(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* Caption(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(Text(caption), parent);
    label->setBuddy(buddy);
    return label;
}

QGroupBox* Group(const char* title, QWidget* parent) {
    return new QGroupBox(Text(title), parent);
}

TSheetEdit* Edit(TSheetEdit::TKind kind, const char* name, int width, QWidget* parent) {
    auto* edit = new TSheetEdit(kind, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(width);
    return edit;
}

constexpr int kLengthWidth = 80, kCountWidth = 50;
} // namespace

TFLabelSettings::TFLabelSettings(TSheetSettings& sheet, TPrinterPage& page,
                                 TLabelSettingsForm::TFactsSource facts, QWidget* parent)
    : QDialog(parent), m_sheet(sheet), m_form(sheet, page, std::move(facts)) {
    setObjectName(QStringLiteral("FLabelSettings"));
    setWindowTitle(Text(C::Title));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(BuildLabelSetupPage(), Text(C::LabelSetupPage));
    m_pages->addTab(BuildPageMarginsPage(), Text(C::PageMarginsPage));
    m_pages->addTab(BuildLabelBordersPage(), Text(C::LabelBordersPage));
    m_pages->addTab(BuildPageInfoPage(), Text(C::PageInfoPage));

    m_cbSaveDefault = new QCheckBox(Text(C::SaveDefault), this);
    m_cbSaveDefault->setObjectName(QStringLiteral("cbSaveDefault"));
    m_printSetup = new QPushButton(Text(C::PrintSetup), this);
    m_printSetup->setObjectName(QStringLiteral("PrintSetupBtn"));
    m_printSetup->setAutoDefault(false);
    m_printSetup->setEnabled(false);
    m_ok = new QPushButton(Text(C::Ok), this);
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Text(C::Cancel), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_printSetup);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(m_cbSaveDefault);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Connect();
}

void TFLabelSettings::SetPrinterSetup(TPrinterSetup run) {
    m_printerSetup = std::move(run);
    m_printSetup->setEnabled(bool(m_printerSetup));
}

QLabel* TFLabelSettings::UnitLabel() {
    auto* label = new QLabel;
    m_units.append(label);
    return label;
}

QWidget* TFLabelSettings::LengthEdit(TLength field, const char* name) {
    auto* edit = Edit(TSheetEdit::TKind::Length, name, kLengthWidth, nullptr);
    m_lengths[field] = edit;
    return edit;
}

QWidget* TFLabelSettings::BuildLabelSetupPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsLabelSetup"));

    auto* size = Group(C::LabelSize, page);
    auto* sizeGrid = new QGridLayout(size);
    auto* gutters = Group(C::Gutters, page);
    auto* gutterGrid = new QGridLayout(gutters);
    const struct {
        TLength field;
        const char* name;
        const char* caption;
        QGridLayout* grid;
        int row;
    } rows[] = {
        {TLabelSettingsForm::Edit3, "Edit3", C::LabelHeight, sizeGrid, 0},
        {TLabelSettingsForm::Edit4, "Edit4", C::LabelWidth, sizeGrid, 1},
        {TLabelSettingsForm::Edit5, "Edit5", C::GutterHeight, gutterGrid, 0},
        {TLabelSettingsForm::Edit6, "Edit6", C::GutterWidth, gutterGrid, 1},
    };
    for (const auto& r : rows) {
        QWidget* edit = LengthEdit(r.field, r.name);
        r.grid->addWidget(m_lengthCaptions[r.field] = Caption(r.caption, edit, page), r.row, 0);
        r.grid->addWidget(edit, r.row, 1);
        r.grid->addWidget(UnitLabel(), r.row, 2);
    }

    auto* units = Group(C::Units, page);
    auto* unitBox = new QVBoxLayout(units);
    unitBox->addWidget(m_rbInches = Radio("rbInches", C::Inches, units));
    unitBox->addWidget(m_rbCentimeters = Radio("rbCentimeters", C::Centimeters, units));

    auto* counts = Group(C::LabelsPerPage, page);
    auto* countGrid = new QGridLayout(counts);
    countGrid->addWidget(m_rbAuto = Radio("rbAuto", C::Auto, counts), 0, 0, 1, 3);
    countGrid->addWidget(m_rbManual = Radio("rbManual", C::Manual, counts), 1, 0, 1, 3);
    m_eCols = Edit(TSheetEdit::TKind::Count, "eCols", kCountWidth, counts);
    m_eRows = Edit(TSheetEdit::TKind::Count, "eRows", kCountWidth, counts);
    countGrid->addWidget(m_colsCaption = Caption(C::Columns, m_eCols, counts), 2, 0);
    countGrid->addWidget(m_eCols, 2, 1);
    countGrid->addWidget(m_rowsCaption = Caption(C::Rows, m_eRows, counts), 3, 0);
    countGrid->addWidget(m_eRows, 3, 1);
    countGrid->setColumnStretch(2, 1);

    // The captions of both length groups share one width, so that their fields line up.
    int captionWidth = 0;
    for (const auto& r : rows)
        captionWidth = std::max(captionWidth, m_lengthCaptions[r.field]->sizeHint().width());
    for (const auto& r : rows)
        m_lengthCaptions[r.field]->setMinimumWidth(captionWidth);

    auto* left = new QVBoxLayout;
    left->addWidget(size);
    left->addWidget(gutters);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(units);
    right->addWidget(counts);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    m_stock = new QLabel(page);
    m_stock->setObjectName(QStringLiteral("lStock"));
    m_stockBtn = new QPushButton(QStringLiteral("Stock..."), page);
    m_stockBtn->setObjectName(QStringLiteral("StockBtn"));
    m_stockBtn->setAutoDefault(false);
    auto* stock = new QHBoxLayout;
    stock->addWidget(m_stock, 1);
    stock->addWidget(m_stockBtn);

    auto* box = new QVBoxLayout(page);
    box->addLayout(columns);
    box->addLayout(stock);
    return page;
}

QWidget* TFLabelSettings::BuildPageMarginsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsPageMargins"));
    auto* margins = Group(C::Margins, page);
    auto* grid = new QGridLayout(margins);
    const struct {
        TLength field;
        const char* name;
        const char* caption;
    } rows[] = {
        {TLabelSettingsForm::Edit1, "Edit1", C::TopMargin},
        {TLabelSettingsForm::Edit2, "Edit2", C::LeftMargin},
        {TLabelSettingsForm::Edit7, "Edit7", C::BottomMargin},
        {TLabelSettingsForm::Edit8, "Edit8", C::RightMargin},
    };
    int row = 0;
    for (const auto& r : rows) {
        QWidget* edit = LengthEdit(r.field, r.name);
        grid->addWidget(m_lengthCaptions[r.field] = Caption(r.caption, edit, margins), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(UnitLabel(), row, 2);
        ++row;
    }
    grid->setColumnStretch(3, 1);
    auto* box = new QVBoxLayout(page);
    box->addWidget(margins);
    box->addStretch();
    return page;
}

QWidget* TFLabelSettings::BuildLabelBordersPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsLabelBorders"));

    auto* line = Group(C::BorderLine, page);
    auto* lineGrid = new QGridLayout(line);
    m_cbBorderStyle = new TBorderComboBox(TBorderList::Style, line);
    m_cbBorderStyle->setObjectName(QStringLiteral("cbBorderStyle"));
    m_cbBorderSize = new TBorderComboBox(TBorderList::Size, line);
    m_cbBorderSize->setObjectName(QStringLiteral("cbBorderSize"));
    lineGrid->addWidget(Caption(C::BorderStyle, m_cbBorderStyle, line), 0, 0);
    lineGrid->addWidget(m_cbBorderStyle, 0, 1);
    lineGrid->addWidget(m_sizeCaption = Caption(C::BorderSize, m_cbBorderSize, line), 1, 0);
    lineGrid->addWidget(m_cbBorderSize, 1, 1);
    lineGrid->setColumnStretch(2, 1);

    auto* shape = Group(C::BorderShape, page);
    auto* shapeGrid = new QGridLayout(shape);
    shapeGrid->addWidget(m_rbRectangle = Radio("rbRectangle", C::Rectangle, shape), 0, 0, 1, 4);
    shapeGrid->addWidget(m_rbRounded = Radio("rbRounded", C::Rounded, shape), 1, 0, 1, 4);
    m_eRoundPct = Edit(TSheetEdit::TKind::Free, "eRoundPct", kCountWidth + 10, shape);
    m_percent = new QLabel(Text(C::Percent), shape);
    m_percent->setObjectName(QStringLiteral("LPercent"));
    shapeGrid->addWidget(m_pctCaption = Caption(C::CornerSize, m_eRoundPct, shape), 2, 0);
    shapeGrid->addWidget(m_eRoundPct, 2, 1);
    shapeGrid->addWidget(m_percent, 2, 2);
    shapeGrid->setColumnStretch(3, 1);

    auto* box = new QVBoxLayout(page);
    box->addWidget(line);
    box->addWidget(shape);
    box->addStretch();
    return page;
}

QWidget* TFLabelSettings::BuildPageInfoPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsPageInfo"));
    const char* names[] = {"LTop", "LBottom", "LLeft", "LRight", "LHeight", "LWidth"};
    for (size_t i = 0; i < m_pageInfo.size(); ++i) {
        m_pageInfo[i] = new QLabel(page);
        m_pageInfo[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    auto* margins = Group(C::NonPrintable, page);
    auto* marginGrid = new QGridLayout(margins);
    for (int i = 0; i < 4; ++i)
        marginGrid->addWidget(m_pageInfo[i], i / 2, i % 2);
    auto* paper = Group(C::PaperSize, page);
    auto* paperGrid = new QGridLayout(paper);
    paperGrid->addWidget(m_pageInfo[4], 0, 0);
    paperGrid->addWidget(m_pageInfo[5], 0, 1);

    auto* box = new QVBoxLayout(page);
    box->addWidget(margins);
    box->addWidget(paper);
    box->addStretch();
    return page;
}

void TFLabelSettings::Connect() {
    for (int i = 0; i < TLabelSettingsForm::LengthCount; ++i)
        connect(m_lengths[i], &TSheetEdit::Left, this, [this, i] { LengthExit(TLength(i)); });
    connect(m_eCols, &TSheetEdit::Left, this, [this] { CountExit(true); });
    connect(m_eRows, &TSheetEdit::Left, this, [this] { CountExit(false); });
    connect(m_eRoundPct, &TSheetEdit::Left, this, &TFLabelSettings::eRoundPctExit);
    // Each pair reacts once, to the button that became checked.
    connect(m_rbInches, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            UnitClick(false);
    });
    connect(m_rbCentimeters, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            UnitClick(true);
    });
    connect(m_rbAuto, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            CountModeClick(false);
    });
    connect(m_rbManual, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            CountModeClick(true);
    });
    connect(m_rbRounded, &QRadioButton::toggled, this, [this](bool on) {
        if (m_updating)
            return;
        m_form.SetRounded(on);
        ApplyEnabling();
    });
    connect(m_cbBorderStyle, &QComboBox::currentIndexChanged, this,
            &TFLabelSettings::cbBorderStyleChange);
    connect(m_cbBorderSize, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating && index >= 0)
            m_form.BorderSize = index;
    });
    connect(m_cbSaveDefault, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_updating)
            m_form.SaveAsDefault = on;
    });
    connect(m_printSetup, &QPushButton::clicked, this, &TFLabelSettings::PrintSetupBtnClick);
    connect(m_ok, &QPushButton::clicked, this, &TFLabelSettings::OkBtnClick);
    connect(m_stockBtn, &QPushButton::clicked, this, &TFLabelSettings::StockBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFLabelSettings::showEvent(QShowEvent* event) {
    // A window system showing it again (after minimising) is not a new opening.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TFLabelSettings::FormShow() {
    m_form.Open();
    ShowFields();
    m_pages->setCurrentIndex(0);
}

void TFLabelSettings::PullTexts() {
    for (int i = 0; i < TLabelSettingsForm::LengthCount; ++i)
        m_form.Lengths[i] = m_lengths[i]->text();
    m_form.eCols = m_eCols->text();
    m_form.eRows = m_eRows->text();
    m_form.eRoundPct = m_eRoundPct->text();
}

void TFLabelSettings::ShowFields() {
    m_updating = true;
    for (int i = 0; i < TLabelSettingsForm::LengthCount; ++i)
        m_lengths[i]->setText(m_form.Lengths[i]);
    m_eCols->setText(m_form.eCols);
    m_eRows->setText(m_form.eRows);
    m_eRoundPct->setText(m_form.eRoundPct);
    const QString unit = Text(m_form.Centimeters ? C::UnitCentimeters : C::UnitInches);
    for (QLabel* label : m_units)
        label->setText(unit);
    (m_form.Centimeters ? m_rbCentimeters : m_rbInches)->setChecked(true);
    (m_form.Manual ? m_rbManual : m_rbAuto)->setChecked(true);
    (m_form.Rounded ? m_rbRounded : m_rbRectangle)->setChecked(true);
    m_cbBorderStyle->setCurrentIndex(m_form.BorderStyle);
    m_cbBorderSize->setCurrentIndex(m_form.BorderSize);
    m_cbSaveDefault->setChecked(m_form.SaveAsDefault);
    const QString* info[] = {&m_form.PageTop,   &m_form.PageBottom, &m_form.PageLeft,
                             &m_form.PageRight, &m_form.PageHeight, &m_form.PageWidth};
    for (size_t i = 0; i < m_pageInfo.size(); ++i)
        m_pageInfo[i]->setText(*info[i]);
    m_stock->setText(m_form.StockText());
    m_updating = false;
    ApplyEnabling();
}

void TFLabelSettings::ApplyEnabling() {
    const bool counts = m_form.CountsEnabled();
    for (QWidget* w : {static_cast<QWidget*>(m_eCols), static_cast<QWidget*>(m_eRows),
                       static_cast<QWidget*>(m_colsCaption), static_cast<QWidget*>(m_rowsCaption)})
        w->setEnabled(counts);
    m_cbBorderSize->setEnabled(m_form.SizeListEnabled());
    m_sizeCaption->setEnabled(m_form.SizeListEnabled());
    m_rbRectangle->setEnabled(m_form.ShapeEnabled());
    m_rbRounded->setEnabled(m_form.ShapeEnabled());
    const bool percent = m_form.PercentEnabled();
    for (QWidget* w : {static_cast<QWidget*>(m_eRoundPct), static_cast<QWidget*>(m_percent),
                       static_cast<QWidget*>(m_pctCaption)})
        w->setEnabled(percent);
}

void TFLabelSettings::LengthExit(TLength field) {
    if (m_updating)
        return;
    PullTexts();
    const std::optional<QString> message = m_form.LeaveLength(field);
    ShowFields();
    if (message) {
        m_corrected = true;
        ShowMessage(*message);
    }
}

void TFLabelSettings::CountExit(bool columns) {
    if (m_updating)
        return;
    PullTexts();
    m_form.LeaveCount(columns ? m_form.eCols : m_form.eRows);
    ShowFields();
}

void TFLabelSettings::eRoundPctExit() {
    if (m_updating)
        return;
    PullTexts();
    m_form.LeavePercent();
    ShowFields();
}

void TFLabelSettings::UnitClick(bool centimeters) {
    if (m_updating)
        return;
    PullTexts();
    m_form.SwitchUnit(centimeters);
    ShowFields();
}

void TFLabelSettings::CountModeClick(bool manual) {
    if (m_updating)
        return;
    PullTexts();
    m_form.SetManual(manual);
    ShowFields();
}

void TFLabelSettings::cbBorderStyleChange(int index) {
    if (m_updating || index < 0)
        return;
    PullTexts();
    m_form.SetBorderStyle(index);
    ShowFields();
}

void TFLabelSettings::SetDefaultsSaver(TDefaultsSaver save) {
    m_saveDefaults = std::move(save);
}

void TFLabelSettings::PrintSetupBtnClick() {
    if (!m_printerSetup || !m_printerSetup())
        return;
    PullTexts();
    m_form.PrinterSetupDone();
    ShowFields();
}

void TFLabelSettings::StockBtnClick() {
    TFStockPicker picker(m_library ? *m_library : TStockLibrary::Installed(), this);
    if (picker.exec() != QDialog::Accepted || !picker.Chosen())
        return;
    PullTexts();
    QString why;
    if (!m_form.ChooseStock(*picker.Chosen(), &why))
        ShowMessage(why);
    ShowFields();
}

void TFLabelSettings::OkBtnClick() {
    // A field typed in but never left gets its rule now; when that corrected a value, the
    // dialog stays open so that the user sees it.
    m_corrected = false;
    for (TSheetEdit* edit : findChildren<TSheetEdit*>())
        edit->FinishEditing();
    if (m_corrected)
        return;
    PullTexts();
    m_form.Apply();
    if (m_form.SaveAsDefault && m_saveDefaults) {
        try {
            m_saveDefaults(m_sheet);
        } catch (const TUserError& e) {
            // The settings are in use already; only keeping them as defaults failed.
            ShowMessage(e.Message());
        }
    }
    accept();
}
