#include "merge/dialogs/FTextImport.h"

#include "merge/PreviewRecords.h"
#include "merge/SheetRows.h"
#include "merge/dialogs/DialogServices.h"
#include "merge/dialogs/KeyFilters.h"
#include "merge/dialogs/MergeDialogTexts.h"
#include "merge/dialogs/TextImportRules.h"
#include "platform/Errors.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

constexpr int kWidth = 500;
constexpr int kHeight = 350;
constexpr int kRowHeight = 20;

struct TFormatChoice {
    TImportFormat Format;
    const char* Name;
    const char* Caption;
};

// In the order of TImportFormat, which indexes the radio buttons.
const std::array<TFormatChoice, 4> kFormatChoices = {{
    {TImportFormat::CommaDelimited, "rbCommaDelimited", MergeDialogText::CommaDelimited},
    {TImportFormat::TabDelimited, "rbTabDelimited", MergeDialogText::TabDelimited},
    {TImportFormat::CustomDelimiter, "rbCustomDelimiter", MergeDialogText::CustomDelimiter},
    {TImportFormat::FixedField, "rbFixedField", MergeDialogText::FixedField},
}};

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(Text(name));
    return widget;
}

QFont GridFont(const QFont& base) {
    QFont font(QStringLiteral("Courier New"), base.pointSize());
    font.setStyleHint(QFont::Monospace);
    return font;
}
} // namespace

TFTextImport::TFTextImport(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFTextImport"));
    setWindowTitle(Text(MergeDialogText::ImportCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);

    m_lFile = Named(new QLabel(Text(MergeDialogText::FilePrefix), this), "lFile");
    m_lbLines = Named(new QListWidget(this), "lbLines");
    m_lbLines->setSelectionMode(QAbstractItemView::NoSelection);
    m_lbLines->setFocusPolicy(Qt::NoFocus);
    QPalette grey = m_lbLines->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    m_lbLines->setPalette(grey);
    m_lbLines->setFixedHeight(72);
    m_lProblem = Named(new QLabel(this), "lProblem");
    m_lProblem->setWordWrap(true);
    m_lProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_lProblem->hide();

    m_sgPreview = Named(new QTableWidget(this), "sgPreview");
    m_sgPreview->setFont(GridFont(font()));
    m_sgPreview->horizontalHeader()->setFont(m_sgPreview->font());
    m_sgPreview->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_sgPreview->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    m_sgPreview->verticalHeader()->hide();
    m_sgPreview->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_sgPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sgPreview->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sgPreview->setContextMenuPolicy(Qt::CustomContextMenu);

    m_pmColumns = Named(new QMenu(this), "pmColumns");
    m_miInsertColumn = m_pmColumns->addAction(Text(MergeDialogText::InsertColumn));
    m_miInsertColumn->setObjectName(QStringLiteral("miInsertColumn"));
    m_miDeleteColumn = m_pmColumns->addAction(Text(MergeDialogText::DeleteColumn));
    m_miDeleteColumn->setObjectName(QStringLiteral("miDeleteColumn"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_lFile);
    layout->addWidget(m_lbLines);
    layout->addWidget(m_lProblem);
    layout->addWidget(m_sgPreview, 1);
    layout->addWidget(BuildOptions());
    Connect();
}

QWidget* TFTextImport::BuildOptions() {
    auto* options = new QWidget(this);
    auto* row = new QHBoxLayout(options);
    row->setContentsMargins(0, 0, 0, 0);

    auto* group =
        Named(new QGroupBox(Text(MergeDialogText::FormatGroup), options), "rgImportFormat");
    m_rgImportFormat = group;
    auto* choices = new QVBoxLayout(group);
    choices->setSpacing(2);
    for (const TFormatChoice& choice : kFormatChoices) {
        const int i = int(choice.Format);
        m_formats[i] = Named(new QRadioButton(Text(choice.Caption), group), choice.Name);
        choices->addWidget(m_formats[i]);
    }
    row->addWidget(group);

    auto* boxes = new QGridLayout;
    boxes->setVerticalSpacing(2);
    m_lSeparator = Named(new QLabel(Text(MergeDialogText::FieldSeparator), options), "lSeparator");
    m_eSeparator = Named(new QLineEdit(options), "eSeparator");
    m_lColumnSize = Named(new QLabel(Text(MergeDialogText::ColumnSize), options), "lColumnSize");
    m_eColumnSize = Named(new QLineEdit(QStringLiteral("10"), options), "eColumnSize");
    m_eColumnSize->setMaxLength(2);
    FilterKeys(m_eColumnSize, TKeyFilter::Digits);
    m_lQuoteChar = Named(new QLabel(Text(MergeDialogText::QuoteChar), options), "lQuoteChar");
    m_eQuoteChar = Named(new QLineEdit(QStringLiteral("\""), options), "eQuoteChar");
    m_eQuoteChar->setMaxLength(1);
    for (QLineEdit* edit : {m_eSeparator, m_eColumnSize, m_eQuoteChar})
        edit->setFixedWidth(36);
    m_cbIgnoreHeader =
        Named(new QCheckBox(Text(MergeDialogText::IgnoreHeader), options), "cbIgnoreHeader");
    m_cbLeftTrim = Named(new QCheckBox(Text(MergeDialogText::LeftTrim), options), "cbLeftTrim");
    m_cbRightTrim = Named(new QCheckBox(Text(MergeDialogText::RightTrim), options), "cbRightTrim");
    // The column size box takes the separator box's place; only one of them is ever shown.
    boxes->addWidget(m_lSeparator, 0, 0);
    boxes->addWidget(m_eSeparator, 0, 1);
    boxes->addWidget(m_lColumnSize, 0, 0);
    boxes->addWidget(m_eColumnSize, 0, 1);
    m_lSheet = Named(new QLabel(Text(MergeDialogText::SheetCaption), options), "lSheet");
    m_cbSheet = Named(new QComboBox(options), "cbSheet");
    m_cbSheet->setMinimumWidth(160);
    boxes->addWidget(m_lSheet, 0, 0);
    boxes->addWidget(m_cbSheet, 0, 1, 1, 2);
    boxes->addWidget(m_lQuoteChar, 1, 0);
    boxes->addWidget(m_eQuoteChar, 1, 1);
    boxes->addWidget(m_cbIgnoreHeader, 2, 0, 1, 3);
    boxes->addWidget(m_cbLeftTrim, 3, 0, 1, 3);
    boxes->addWidget(m_cbRightTrim, 4, 0, 1, 3);
    boxes->setColumnStretch(2, 1);
    boxes->setRowStretch(5, 1);
    row->addLayout(boxes, 1);

    auto* buttons = new QVBoxLayout;
    auto* ok = Named(new QPushButton(Text(MergeDialogText::Ok), options), "OkBtn");
    auto* cancel = Named(new QPushButton(Text(MergeDialogText::Cancel), options), "CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    row->addLayout(buttons);
    return options;
}

void TFTextImport::Connect() {
    for (const TFormatChoice& choice : kFormatChoices)
        connect(m_formats[int(choice.Format)], &QRadioButton::clicked, this,
                [this, format = choice.Format] { FormatClick(format); });
    connect(m_eSeparator, &QLineEdit::textEdited, this, &TFTextImport::eSeparatorChange);
    connect(m_cbSheet, &QComboBox::currentIndexChanged, this, &TFTextImport::cbSheetChange);
    connect(m_eQuoteChar, &QLineEdit::textEdited, this, &TFTextImport::eQuoteCharChange);
    connect(m_eColumnSize, &QLineEdit::textEdited, this, &TFTextImport::eColumnSizeChange);
    for (QCheckBox* check : {m_cbIgnoreHeader, m_cbLeftTrim, m_cbRightTrim})
        connect(check, &QCheckBox::clicked, this, &TFTextImport::CheckClick);
    connect(m_sgPreview, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { sgPreviewSelectCell(row, column); });
    connect(m_sgPreview, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { sgPreviewContextMenu(pos, false); });
    connect(m_sgPreview->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { sgPreviewContextMenu(pos, true); });
    connect(m_miInsertColumn, &QAction::triggered, this, &TFTextImport::InsertColumnClick);
    connect(m_miDeleteColumn, &QAction::triggered, this, &TFTextImport::DeleteColumnClick);
}

bool TFTextImport::Execute(const QString& fileName, TTextImportSettings& settings,
                           const QStringList& previewLines) {
    FormShow(fileName, settings, previewLines);
    CentreOver(this, QApplication::activeWindow());
    const bool confirmed = exec() == QDialog::Accepted;
    m_settings = nullptr;
    return confirmed;
}

void TFTextImport::FormShow(const QString& fileName, TTextImportSettings& settings,
                            const QStringList& previewLines) {
    m_settings = &settings;
    m_lines = previewLines;
    m_column = 0;
    m_fileName = fileName;
    m_sheets = IsSpreadsheetFile(fileName);
    {
        const QScopedValueRollback guard(m_updating, true);
        m_lFile->setText(Text(MergeDialogText::FilePrefix) + QFileInfo(fileName).fileName());
        m_lbLines->clear();
        m_lbLines->addItems(m_lines);
        m_eQuoteChar->setText(settings.QuoteChar.left(1));
        m_cbIgnoreHeader->setChecked(settings.IgnoreHeader);
        m_cbLeftTrim->setChecked(settings.TrimLeft);
        m_cbRightTrim->setChecked(settings.TrimRight);
    }
    m_lbLines->setVisible(!m_sheets);
    m_rgImportFormat->setVisible(!m_sheets);
    m_lSheet->setVisible(m_sheets);
    m_cbSheet->setVisible(m_sheets);
    m_lProblem->hide();
    if (m_sheets) {
        ShowSheets(fileName);
        return;
    }
    // Showing applies the format's side effects once more.
    ChooseImportFormat(settings, settings.ImportFormat, m_lines);
    ApplyFormatPanel();
    RefreshGrid();
}

void TFTextImport::ShowSheets(const QString& fileName) {
    QStringList names;
    try {
        names = SpreadsheetSheetNames(fileName);
    } catch (const TUserError& e) {
        m_lProblem->setText(e.Message());
        m_lProblem->show();
    }
    // The sheet the settings name (as the reader finds it), else the first.
    qsizetype index = names.indexOf(m_settings->Table);
    for (qsizetype i = 0; index < 0 && i < names.size(); ++i)
        if (names[i].compare(m_settings->Table, Qt::CaseInsensitive) == 0)
            index = i;
    index = std::max<qsizetype>(index, 0);
    {
        const QScopedValueRollback guard(m_updating, true);
        m_cbSheet->clear();
        m_cbSheet->addItems(names);
        m_cbSheet->setCurrentIndex(names.isEmpty() ? -1 : int(index));
    }
    if (!names.isEmpty())
        m_settings->Table = names[index];
    ApplySheetPanel();
    RefreshGrid();
}

void TFTextImport::ApplySheetPanel() {
    for (QWidget* widget :
         {static_cast<QWidget*>(m_lSeparator), static_cast<QWidget*>(m_eSeparator),
          static_cast<QWidget*>(m_lQuoteChar), static_cast<QWidget*>(m_eQuoteChar),
          static_cast<QWidget*>(m_lColumnSize), static_cast<QWidget*>(m_eColumnSize),
          static_cast<QWidget*>(m_cbLeftTrim), static_cast<QWidget*>(m_cbRightTrim)})
        widget->setVisible(false);
    m_sgPreview->setToolTip(QString());
}

void TFTextImport::cbSheetChange(int index) {
    if (m_updating || !m_settings || !m_sheets || index < 0)
        return;
    m_settings->Table = m_cbSheet->itemText(index);
    RefreshGrid();
}

void TFTextImport::RefreshSheetGrid() {
    TPreviewRecords preview;
    try {
        preview = ReadPreviewRecords(m_fileName, *m_settings, MaxPreviewLines);
        m_lProblem->hide();
    } catch (const TUserError& e) {
        // The grid empties rather than keep another sheet's records under this one's name.
        m_lProblem->setText(e.Message());
        m_lProblem->show();
    }
    const QFontMetrics metrics(m_sgPreview->font());
    ShowGrid(BuildRecordGrid(
        preview, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }));
}

void TFTextImport::FormatClick(TImportFormat format) {
    if (!m_settings)
        return;
    ChooseImportFormat(*m_settings, format, m_lines);
    ApplyFormatPanel();
    RefreshGrid();
}

void TFTextImport::ApplyFormatPanel() {
    const TImportFormat format = m_settings->ImportFormat;
    const TFormatPanel panel = FormatPanel(format);
    const QScopedValueRollback guard(m_updating, true);
    m_formats[int(format)]->setChecked(true);
    m_eSeparator->setMaxLength(panel.SeparatorMaxLength);
    m_eSeparator->setText(Text(panel.SeparatorText));
    m_eSeparator->setReadOnly(!panel.SeparatorEditable);
    QPalette palette = m_eSeparator->palette();
    palette.setColor(QPalette::Text, panel.SeparatorEditable ? Qt::black : Qt::gray);
    m_eSeparator->setPalette(palette);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_lSeparator), static_cast<QWidget*>(m_eSeparator),
          static_cast<QWidget*>(m_lQuoteChar), static_cast<QWidget*>(m_eQuoteChar)})
        widget->setVisible(panel.Delimited);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_lColumnSize), static_cast<QWidget*>(m_eColumnSize),
          static_cast<QWidget*>(m_cbLeftTrim), static_cast<QWidget*>(m_cbRightTrim)})
        widget->setVisible(panel.Fixed);
    m_sgPreview->setToolTip(panel.Fixed ? Text(MergeDialogText::GridHint) : QString());
}

void TFTextImport::RefreshGrid() {
    if (!m_settings)
        return;
    if (m_sheets)
        return RefreshSheetGrid();
    const QFontMetrics metrics(m_sgPreview->font());
    ShowGrid(BuildImportGrid(*m_settings, m_lines, [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text);
    }));
}

void TFTextImport::ShowGrid(const TImportGrid& grid) {
    const QScopedValueRollback guard(m_updating, true);
    const int currentRow = m_sgPreview->currentRow();
    m_sgPreview->clear();
    m_sgPreview->setRowCount(0);
    m_sgPreview->setColumnCount(int(grid.Headers.size()));
    m_sgPreview->setHorizontalHeaderLabels(grid.Headers);
    m_sgPreview->setRowCount(int(grid.Rows.size()));
    for (int row = 0; row < grid.Rows.size(); ++row)
        for (int column = 0; column < grid.Rows[row].size(); ++column)
            m_sgPreview->setItem(row, column, new QTableWidgetItem(grid.Rows[row][column]));
    for (int column = 0; column < grid.ColumnWidths.size(); ++column)
        m_sgPreview->setColumnWidth(column, grid.ColumnWidths[column]);
    m_column = std::clamp(m_column, 0, std::max(0, int(grid.Headers.size()) - 1));
    if (!grid.Rows.isEmpty() && !grid.Headers.isEmpty())
        m_sgPreview->setCurrentCell(std::clamp(currentRow, 0, int(grid.Rows.size()) - 1), m_column);
}

void TFTextImport::SelectColumn(int column) {
    m_column = column;
    const int size = m_settings ? ColumnSizeOf(*m_settings, column) : -1;
    if (size >= 0)
        m_eColumnSize->setText(QString::number(size));
}

void TFTextImport::eSeparatorChange(const QString& text) {
    if (!m_settings || m_settings->ImportFormat != TImportFormat::CustomDelimiter)
        return;
    m_settings->Separator = text.left(1);
    RefreshGrid();
}

void TFTextImport::eQuoteCharChange(const QString& text) {
    if (!m_settings)
        return;
    m_settings->QuoteChar = text.left(1);
    RefreshGrid();
}

void TFTextImport::eColumnSizeChange(const QString& text) {
    if (m_settings && EditColumnSize(*m_settings, m_column, text))
        RefreshGrid();
}

void TFTextImport::CheckClick() {
    if (!m_settings)
        return;
    m_settings->IgnoreHeader = m_cbIgnoreHeader->isChecked();
    m_settings->TrimLeft = m_cbLeftTrim->isChecked();
    m_settings->TrimRight = m_cbRightTrim->isChecked();
    RefreshGrid();
}

void TFTextImport::sgPreviewSelectCell(int row, int column) {
    if (m_updating || row < 0 || column < 0)
        return;
    SelectColumn(column);
}

void TFTextImport::sgPreviewContextMenu(const QPoint& viewportPos, bool onHeader) {
    if (!m_settings || !FormatPanel(m_settings->ImportFormat).Fixed)
        return;
    const int column = m_sgPreview->columnAt(viewportPos.x());
    if (column < 0)
        return;
    const int row = onHeader ? -1 : m_sgPreview->rowAt(viewportPos.y());
    if (row >= 0)
        m_sgPreview->setCurrentCell(row, column); // selects the column through the grid
    else
        SelectColumn(column);
    QWidget* source =
        onHeader ? m_sgPreview->horizontalHeader()->viewport() : m_sgPreview->viewport();
    m_pmColumns->popup(source->mapToGlobal(viewportPos));
}

void TFTextImport::InsertColumnClick() {
    if (!m_settings)
        return;
    const std::optional<QString> answer = MergeDialogServices().Input(
        this, Text(MergeDialogText::InsertColumn), Text(MergeDialogText::EnterColumnSize));
    if (answer && InsertColumn(*m_settings, m_column, *answer))
        RefreshGrid();
}

void TFTextImport::DeleteColumnClick() {
    if (m_settings && DeleteColumn(*m_settings, m_column))
        RefreshGrid();
}
