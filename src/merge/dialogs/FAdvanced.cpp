#include "merge/dialogs/FAdvanced.h"

#include "merge/DataImport.h"
#include "merge/FieldEvaluation.h"
#include "merge/dialogs/DateExample.h"
#include "merge/dialogs/DateHelp.h"
#include "merge/dialogs/DialogPictures.h"
#include "merge/dialogs/DialogServices.h"
#include "merge/dialogs/FieldListView.h"
#include "merge/dialogs/FieldPanels.h"
#include "merge/dialogs/FieldPreview.h"
#include "merge/dialogs/MergeDialogTexts.h"
#include "platform/Errors.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

constexpr int kWidth = 308;
constexpr int kHeight = 350;
// The list's one column is this much narrower than the window.
constexpr int kColumnInset = 30;

struct TCommandEntry {
    const char* Name;
    const char* MenuText;
    const char* Hint;
    const char* Shortcut;
};

// In the order of TFAdvanced::TCommand; the four adds in the order of TFieldPanel.
const std::array<TCommandEntry, 6> kCommands = {{
    {"acAddText", MergeDialogText::MenuAddText, MergeDialogText::AddTextHint, ""},
    {"acAddImport", MergeDialogText::MenuAddImport, MergeDialogText::AddImportHint, ""},
    {"acAddSequence", MergeDialogText::MenuAddSequence, MergeDialogText::AddSequenceHint, ""},
    {"acAddDate", MergeDialogText::MenuAddDate, MergeDialogText::AddDateHint, ""},
    {"acRemoveField", MergeDialogText::MenuRemoveField, MergeDialogText::RemoveFieldHint,
     "Ctrl+Del"},
    {"acRemoveAll", MergeDialogText::MenuRemoveAll, MergeDialogText::RemoveAllHint, ""},
}};
} // namespace

TFAdvanced::TFAdvanced(TDataImport& import, QWidget* parent) : QDialog(parent), m_import(import) {
    setObjectName(QStringLiteral("TFAdvanced"));
    setWindowTitle(Latin(MergeDialogText::AdvancedCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);

    BuildActions();
    m_lvFields = new TFieldListView(this);
    m_lvFields->setObjectName(QStringLiteral("lvFields"));
    m_lResult = new QLabel(this);
    m_lResult->setObjectName(QStringLiteral("lResult"));
    m_lResult->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_lResult->setTextFormat(Qt::PlainText);
    m_panels = new TFieldPanels(this);
    m_panels->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    layout->setSpacing(3);
    layout->setMenuBar(BuildToolBar());
    layout->addWidget(m_lvFields, 1);
    layout->addWidget(m_lResult);
    layout->addWidget(m_panels);
    layout->addWidget(BuildBottomBar());
    Connect();
    RefreshResult();
    ShowDateExample();
}

void TFAdvanced::BuildActions() {
    const std::array<QIcon, CommandCount> pictures = {AddFieldPicture(TFieldPanel::Text),
                                                      AddFieldPicture(TFieldPanel::Imported),
                                                      AddFieldPicture(TFieldPanel::Sequence),
                                                      AddFieldPicture(TFieldPanel::Date),
                                                      RemoveFieldPicture(),
                                                      RemoveAllFieldsPicture()};
    for (int i = 0; i < CommandCount; ++i) {
        const TCommandEntry& entry = kCommands[i];
        auto* action = new QAction(pictures[i], Latin(entry.MenuText), this);
        action->setObjectName(Latin(entry.Name));
        action->setToolTip(Latin(entry.Hint));
        action->setShortcut(QKeySequence(Latin(entry.Shortcut)));
        m_actions[i] = action;
    }
}

QToolBar* TFAdvanced::BuildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbFields"));
    bar->setIconSize(QSize(16, 16));
    for (int i = 0; i < CommandCount; ++i) {
        if (i == cmRemove)
            bar->addSeparator();
        bar->addAction(m_actions[i]);
        // The buttons leave the focus where it is, so a box's exit rules do not run first.
        if (QWidget* button = bar->widgetForAction(m_actions[i]))
            button->setFocusPolicy(Qt::NoFocus);
    }
    return bar;
}

QWidget* TFAdvanced::BuildBottomBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_previewBtn = new QPushButton(Latin(MergeDialogText::Preview), bar);
    m_previewBtn->setObjectName(QStringLiteral("PreviewBtn"));
    auto* ok = new QPushButton(Latin(MergeDialogText::Ok), bar);
    ok->setObjectName(QStringLiteral("OkBtn"));
    // Enter belongs to the boxes; no button is pressed by it.
    for (QPushButton* button : {m_previewBtn, ok})
        button->setAutoDefault(false);
    connect(m_previewBtn, &QPushButton::clicked, this, &TFAdvanced::PreviewBtnClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(m_previewBtn);
    row->addStretch();
    row->addWidget(ok);
    return bar;
}

void TFAdvanced::Connect() {
    for (int kind = 0; kind < FieldPanelCount; ++kind)
        connect(m_actions[kind], &QAction::triggered, this,
                [this, kind] { AddField(TFieldPanel(kind)); });
    connect(m_actions[cmRemove], &QAction::triggered, this, &TFAdvanced::RemoveField);
    connect(m_actions[cmRemoveAll], &QAction::triggered, this, &TFAdvanced::RemoveAllFields);

    // The list's context menu: the removals, a divider, then the adds.
    m_lvFields->addAction(m_actions[cmRemove]);
    m_lvFields->addAction(m_actions[cmRemoveAll]);
    auto* divider = new QAction(this);
    divider->setSeparator(true);
    m_lvFields->addAction(divider);
    for (int kind = 0; kind < FieldPanelCount; ++kind)
        m_lvFields->addAction(m_actions[kind]);

    connect(m_lvFields, &QTreeWidget::itemSelectionChanged, this, &TFAdvanced::lvFieldsSelect);
    connect(m_lvFields, &TFieldListView::MouseReleased, this, &TFAdvanced::lvFieldsMouseUp);
    connect(m_lvFields, &TFieldListView::LineMoved, this, &TFAdvanced::lvFieldsMoved);

    for (int i = 0; i < FieldBoxCount; ++i) {
        const auto box = TFieldBox(i);
        TFieldEdit* edit = m_panels->Box(box);
        connect(edit, &TFieldEdit::Left, this, [this, box] { BoxExit(box); });
        connect(edit, &TFieldEdit::EnterPressed, this, &TFAdvanced::StoreEditedValues);
    }
    for (TFieldBox box : {TFieldBox::TextString, TFieldBox::DateFormat})
        connect(m_panels->Box(box), &QLineEdit::textChanged, this, &TFAdvanced::StoreEditedValues);
    connect(m_panels->Box(TFieldBox::FieldNumber), &QLineEdit::textChanged, this,
            &TFAdvanced::ShowFieldName);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             m_panels->PadRight(), m_panels->PadLeft(), m_panels->ResetOnPrint()})
        connect(button, &QAbstractButton::clicked, this, &TFAdvanced::StoreEditedValues);
    connect(m_panels->ByName(), &QAbstractButton::clicked, this, &TFAdvanced::StoreEditedValues);
    connect(m_panels->DateHelp(), &QToolButton::clicked, this, &TFAdvanced::sbDateHelpClick);
    connect(m_panels->Box(TFieldBox::DateFormat), &QLineEdit::textChanged, this,
            &TFAdvanced::ShowDateExample);
    for (QSpinBox* offset : {m_panels->AddMonths(), m_panels->AddDays()}) {
        connect(offset, &QSpinBox::valueChanged, this, &TFAdvanced::StoreEditedValues);
        connect(offset, &QSpinBox::valueChanged, this, &TFAdvanced::ShowDateExample);
    }
}

bool TFAdvanced::EditAdvancedFields(TFieldList& fields, QWidget* over) {
    BeginEditing(fields);
    CentreOver(this, over);
    exec();
    return EndEditing();
}

void TFAdvanced::BeginEditing(TFieldList& fields) {
    const QScopedValueRollback guard(m_updating, true);
    std::erase(fields, nullptr);
    m_fields = &fields;
    m_lvFields->RemoveAllLines();
    for (const auto& field : fields)
        m_lvFields->AddLine(field.get(), DescribeField(*field, m_dates),
                            FieldKindPicture(PanelOf(*field)));
    m_panels->hide();
    ReadColumnNames(false);
    RefreshResult();
}

void TFAdvanced::ReadColumnNames(bool always) {
    const TDataImport& import = m_import;
    if (!always && import.ChosenDataFile() == m_headerSource &&
        import.TextImportSettings() == m_headerSettings)
        return;
    m_headerSource = import.ChosenDataFile();
    m_headerSettings = import.TextImportSettings();
    m_header = m_import.ColumnNames();
    ShowFieldName();
}

bool TFAdvanced::EndEditing() {
    if (!m_fields)
        return false;
    SyncFieldOrder();
    const bool advanced = m_lvFields->LineCount() > 0;
    {
        const QScopedValueRollback guard(m_updating, true);
        m_lvFields->RemoveAllLines();
    }
    m_fields = nullptr;
    m_panels->hide();
    RefreshResult();
    return advanced;
}

void TFAdvanced::UpdateEditPanel() {
    if (m_lvFields->LineCount() > 0 && m_lvFields->SelectedLine() < 0)
        SelectLine(m_lvFields->LineCount() - 1);
    if (!m_lvFields->hasFocus())
        m_lvFields->setFocus(Qt::OtherFocusReason);
    const int line = m_lvFields->SelectedLine();
    if (const TAdvancedField* field = m_lvFields->FieldOf(line)) {
        m_panels->ShowPanel(PanelOf(*field));
        m_panels->show();
    } else {
        m_panels->hide();
    }
    m_actions[cmRemove]->setEnabled(line >= 0);
    m_actions[cmRemoveAll]->setEnabled(m_lvFields->LineCount() > 0);
}

void TFAdvanced::StoreEditedValues() {
    if (m_updating || !m_fields)
        return;
    const int line = m_lvFields->SelectedLine();
    TAdvancedField* field = m_lvFields->FieldOf(line);
    if (!field)
        return;
    const TFieldBoxes boxes = m_panels->Contents();
    const std::optional<QString> refused = StoreFieldBoxes(boxes, *field);
    StoreColumnName(*field, boxes.ByName, m_header);
    m_lvFields->SetLineText(line, DescribeField(*field, m_dates));
    RefreshResult();
    if (refused)
        MergeDialogServices().Message(this, *refused);
}

void TFAdvanced::AddField(TFieldPanel kind) {
    if (!m_fields)
        return;
    const TFieldBoxes boxes = m_panels->Contents();
    TNewField created = CreateFromBoxes(kind, boxes);
    if (!created.Field) {
        MergeDialogServices().Message(this, created.Message);
        return;
    }
    StoreColumnName(*created.Field, boxes.ByName, m_header);
    TAdvancedField* field = m_fields->emplace_back(std::move(created.Field)).get();
    {
        const QScopedValueRollback guard(m_updating, true);
        m_lvFields->AddLine(field, DescribeField(*field, m_dates), FieldKindPicture(kind));
    }
    SelectLine(m_lvFields->LineCount() - 1);
    UpdateEditPanel();
    RefreshResult();
    m_panels->Box(FirstBoxOf(kind))->setFocus(Qt::OtherFocusReason);
}

void TFAdvanced::RemoveField() {
    const int line = m_lvFields->SelectedLine();
    if (!m_fields || line < 0)
        return;
    const TAdvancedField* field = m_lvFields->FieldOf(line);
    {
        const QScopedValueRollback guard(m_updating, true);
        m_lvFields->RemoveLine(line);
        m_lvFields->SelectLine(-1);
    }
    std::erase_if(*m_fields, [field](const auto& owned) { return owned.get() == field; });
    UpdateEditPanel();
    RefreshResult();
}

void TFAdvanced::RemoveAllFields() {
    if (!m_fields)
        return;
    {
        const QScopedValueRollback guard(m_updating, true);
        m_lvFields->RemoveAllLines();
    }
    m_fields->clear();
    UpdateEditPanel();
    RefreshResult();
}

void TFAdvanced::SelectLine(int line) {
    {
        const QScopedValueRollback guard(m_updating, true);
        m_lvFields->SelectLine(line);
        if (const TAdvancedField* field = m_lvFields->FieldOf(line)) {
            TFieldBoxes boxes = m_panels->Contents();
            LoadFieldBoxes(boxes, *field);
            m_panels->Show(boxes);
        }
    }
    ShowFieldName();
    ShowDateExample();
}

void TFAdvanced::lvFieldsSelect() {
    if (m_updating || !m_fields)
        return;
    const int line = m_lvFields->SelectedLine();
    if (line >= 0)
        SelectLine(line);
    UpdateEditPanel();
}

void TFAdvanced::lvFieldsMouseUp() {
    if (m_fields && m_lvFields->LineCount() > 0 && m_lvFields->SelectedLine() < 0) {
        SelectLine(m_lvFields->LineCount() - 1);
        UpdateEditPanel();
    }
}

void TFAdvanced::lvFieldsMoved(int, int) {
    SyncFieldOrder();
    RefreshResult();
}

void TFAdvanced::BoxExit(TFieldBox box, bool closing) {
    if (m_updating || m_refocusing || !m_fields)
        return;
    TFieldBoxes boxes = m_panels->Contents();
    const TBoxExit exit = ExitFieldBox(boxes, box);
    {
        const QScopedValueRollback guard(m_updating, true);
        m_panels->Show(boxes);
    }
    ShowFieldName();
    StoreEditedValues();
    if (!exit.Message.isEmpty())
        MergeDialogServices().Message(this, exit.Message);
    if (exit.ReturnFocus && !closing) {
        const QScopedValueRollback guard(m_refocusing, true);
        m_panels->Box(box)->setFocus(Qt::OtherFocusReason);
    }
}

void TFAdvanced::PreviewBtnClick() {
    if (!m_fields)
        return;
    if (!HoldsImportedField(*m_fields)) {
        MergeDialogServices().Message(this, PreviewMessage(*m_fields, nullptr, m_dates));
        return;
    }
    const QString file = MergeDialogServices().OpenFileName(
        this, {Latin(MergeDialogText::SelectImportFile), Latin(MergeDialogText::ImportFileFilter),
               Latin(MergeDialogText::ImportFileExtension), m_import.ChosenDataFile()});
    if (file.isEmpty())
        return;
    TImportRecord record;
    try {
        if (!m_import.ChooseDataFile(file))
            return;
        m_import.OpenDataFile(file);
        record = m_import.ImportRecord();
        m_import.CloseDataFile();
    } catch (const TUserError& error) {
        m_import.CloseDataFile();
        MergeDialogServices().Error(this, error.Message());
        return;
    }
    m_hasSample = true;
    m_sample = record;
    ReadColumnNames(true);
    RefreshResult();
    ShowFieldName();
    MergeDialogServices().Message(this, PreviewMessage(*m_fields, &record, m_dates));
}

void TFAdvanced::sbDateHelpClick() {
    if (!m_dateHelp)
        m_dateHelp = new TFDateHelp(this);
    CentreOver(m_dateHelp, this);
    m_dateHelp->open();
}

void TFAdvanced::SyncFieldOrder() {
    if (!m_fields)
        return;
    TFieldList ordered;
    ordered.reserve(m_fields->size());
    for (int line = 0; line < m_lvFields->LineCount(); ++line) {
        const TAdvancedField* field = m_lvFields->FieldOf(line);
        const auto owned = std::find_if(m_fields->begin(), m_fields->end(),
                                        [field](const auto& f) { return f.get() == field; });
        if (owned != m_fields->end())
            ordered.push_back(std::move(*owned));
    }
    *m_fields = std::move(ordered);
}

void TFAdvanced::RefreshResult() {
    static const TFieldList none;
    const QString line =
        ResultLine(m_fields ? *m_fields : none, m_hasSample ? &m_sample : nullptr, m_dates);
    m_lResult->setText(line);
    m_lResult->setToolTip(line);
}

void TFAdvanced::ShowFieldName() {
    bool number = false;
    const int field = m_panels->Box(TFieldBox::FieldNumber)->text().toInt(&number);
    m_panels->FieldName()->setText(number ? HeaderName(m_header, field) : QString());
}

void TFAdvanced::ShowDateExample() {
    const TFieldBoxes boxes = m_panels->Contents();
    m_panels->DateExample()->setText(
        DateExample(boxes[TFieldBox::DateFormat], boxes.AddMonths, boxes.AddDays, m_dates));
}

void TFAdvanced::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    UpdateEditPanel();
    RefreshResult();
    ShowDateExample(); // the day may have changed since the editor was last open
}

void TFAdvanced::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_lvFields->header()->resizeSection(0, std::max(0, width() - kColumnInset));
}

void TFAdvanced::keyPressEvent(QKeyEvent* event) {
    // There is nothing to cancel: Escape does not close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFAdvanced::done(int result) {
    // Closing with the focus in a box finishes that box as leaving it would.
    if (QWidget* focused = focusWidget()) {
        if (const std::optional<TFieldBox> box = m_panels->BoxOf(focused)) {
            BoxExit(*box, true);
            const QScopedValueRollback guard(m_refocusing, true);
            focused->clearFocus();
        }
    }
    QDialog::done(result);
}
