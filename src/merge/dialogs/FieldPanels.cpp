#include "merge/dialogs/FieldPanels.h"

#include "merge/DateOffset.h"
#include "merge/dialogs/MergeDialogTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

namespace {
QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

constexpr int kNumberWidth = 80;
constexpr int kShortWidth = 36;

// Names of the pages, in the order of TFieldPanel.
const std::array<const char*, FieldPanelCount> kPanelNames = {"pText", "pField", "pSequence",
                                                              "pDate"};

QSpinBox* OffsetBox(const char* name, int32_t bound, QWidget* panel) {
    auto* box = new QSpinBox(panel);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-bound, bound);
    box->setToolTip(QString::fromLatin1(MergeDialogText::AddOffsetHint));
    box->setFixedWidth(kNumberWidth);
    return box;
}

QGridLayout* Grid(QWidget* panel) {
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    return grid;
}
} // namespace

TFieldPanels::TFieldPanels(QWidget* parent) : QStackedWidget(parent) {
    setObjectName(QStringLiteral("pEdit"));
    const std::array<QWidget*, FieldPanelCount> pages = {BuildTextPanel(), BuildImportedPanel(),
                                                         BuildSequencePanel(), BuildDatePanel()};
    for (int i = 0; i < FieldPanelCount; ++i) {
        pages[i]->setObjectName(Latin(kPanelNames[i]));
        addWidget(pages[i]);
    }
}

TFieldEdit* TFieldPanels::MakeBox(TFieldBox box, QWidget* panel) {
    const TFieldBoxInfo& info = FieldBoxInfo(box);
    auto* edit = new TFieldEdit(Latin(info.Initial), panel);
    edit->SetSelectOnEntry(info.SelectOnEntry);
    edit->setObjectName(Latin(info.Name));
    edit->setMaxLength(info.MaxLength);
    FilterKeys(edit, info.Filter);
    m_boxes[size_t(box)] = edit;
    return edit;
}

QLabel* TFieldPanels::Caption(TFieldBox box, QWidget* panel) {
    auto* label = new QLabel(Latin(FieldBoxInfo(box).Caption), panel);
    label->setBuddy(Box(box));
    return label;
}

QWidget* TFieldPanels::BuildTextPanel() {
    auto* panel = new QWidget(this);
    QGridLayout* grid = Grid(panel);
    MakeBox(TFieldBox::TextString, panel);
    grid->addWidget(Caption(TFieldBox::TextString, panel), 0, 0);
    grid->addWidget(Box(TFieldBox::TextString), 1, 0);
    grid->setColumnStretch(0, 1);
    return panel;
}

QWidget* TFieldPanels::BuildImportedPanel() {
    auto* panel = new QWidget(this);
    QGridLayout* grid = Grid(panel);
    int row = 0;
    for (TFieldBox box : {TFieldBox::FieldNumber, TFieldBox::FieldSize, TFieldBox::PadChar}) {
        MakeBox(box, panel)->setFixedWidth(kShortWidth);
        grid->addWidget(Caption(box, panel), row, 0);
        grid->addWidget(Box(box), row, 1);
        ++row;
    }
    m_lFieldName = new QLabel(panel);
    m_lFieldName->setObjectName(QStringLiteral("lFieldName"));
    grid->addWidget(m_lFieldName, 0, 2);
    m_cbByName = new QCheckBox(Latin(MergeDialogText::ByName), panel);
    m_cbByName->setObjectName(QStringLiteral("cbByName"));
    m_cbByName->setToolTip(Latin(MergeDialogText::ByNameHint));
    grid->addWidget(m_cbByName, row, 0, 1, 3);

    auto* side = new QGroupBox(Latin(MergeDialogText::PadFieldTo), panel);
    side->setObjectName(QStringLiteral("rgPadSide"));
    auto* sideLayout = new QHBoxLayout(side);
    m_rbPadRight = new QRadioButton(Latin(MergeDialogText::PadRight), side);
    m_rbPadRight->setObjectName(QStringLiteral("rbPadRight"));
    m_rbPadRight->setChecked(true);
    m_rbPadLeft = new QRadioButton(Latin(MergeDialogText::PadLeft), side);
    m_rbPadLeft->setObjectName(QStringLiteral("rbPadLeft"));
    sideLayout->addWidget(m_rbPadRight);
    sideLayout->addWidget(m_rbPadLeft);
    grid->addWidget(side, 1, 2, 2, 1);
    grid->setColumnStretch(2, 1);
    return panel;
}

QWidget* TFieldPanels::BuildSequencePanel() {
    auto* panel = new QWidget(this);
    QGridLayout* grid = Grid(panel);
    for (TFieldBox box : {TFieldBox::CurrentValue, TFieldBox::MinValue, TFieldBox::MaxValue})
        MakeBox(box, panel)->setFixedWidth(kNumberWidth);
    MakeBox(TFieldBox::SequenceSize, panel)->setFixedWidth(kShortWidth / 2 + 8);
    grid->addWidget(Caption(TFieldBox::CurrentValue, panel), 0, 0);
    grid->addWidget(Box(TFieldBox::CurrentValue), 0, 1);
    grid->addWidget(Caption(TFieldBox::MinValue, panel), 1, 0);
    grid->addWidget(Box(TFieldBox::MinValue), 1, 1);
    grid->addWidget(Caption(TFieldBox::MaxValue, panel), 1, 2);
    grid->addWidget(Box(TFieldBox::MaxValue), 1, 3);
    grid->addWidget(Caption(TFieldBox::SequenceSize, panel), 2, 0);
    grid->addWidget(Box(TFieldBox::SequenceSize), 2, 1, Qt::AlignLeft);
    m_cbResetOnPrint = new QCheckBox(Latin(MergeDialogText::ResetOnPrint), panel);
    m_cbResetOnPrint->setObjectName(QStringLiteral("cbResetOnPrint"));
    m_cbResetOnPrint->setToolTip(Latin(MergeDialogText::ResetOnPrintHint));
    grid->addWidget(m_cbResetOnPrint, 3, 0, 1, 4);
    return panel;
}

QWidget* TFieldPanels::BuildDatePanel() {
    auto* panel = new QWidget(this);
    QGridLayout* grid = Grid(panel);
    MakeBox(TFieldBox::DateFormat, panel);
    m_sbDateHelp = new QToolButton(panel);
    m_sbDateHelp->setObjectName(QStringLiteral("sbDateHelp"));
    m_sbDateHelp->setText(Latin(MergeDialogText::DateHelpButton));
    m_sbDateHelp->setToolTip(Latin(MergeDialogText::DateHelpHint));
    m_sbDateHelp->setFocusPolicy(Qt::NoFocus);
    QFont bold = m_sbDateHelp->font();
    bold.setBold(true);
    m_sbDateHelp->setFont(bold);
    QPalette red = m_sbDateHelp->palette();
    red.setColor(QPalette::ButtonText, Qt::red);
    m_sbDateHelp->setPalette(red);
    grid->addWidget(Caption(TFieldBox::DateFormat, panel), 0, 0, 1, 2);
    grid->addWidget(Box(TFieldBox::DateFormat), 1, 0, 1, 2);
    grid->addWidget(m_sbDateHelp, 1, 2);

    m_sbAddMonths = OffsetBox("sbAddMonths", MaxAddMonths, panel);
    m_sbAddDays = OffsetBox("sbAddDays", MaxAddDays, panel);
    int row = 2;
    for (auto [box, caption] : {std::pair{m_sbAddMonths, MergeDialogText::AddMonths},
                                std::pair{m_sbAddDays, MergeDialogText::AddDays}}) {
        auto* label = new QLabel(Latin(caption), panel);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, Qt::AlignLeft);
        ++row;
    }
    m_lDateExample = new QLabel(panel);
    m_lDateExample->setObjectName(QStringLiteral("lDateExample"));
    m_lDateExample->setTextFormat(Qt::PlainText);
    m_lDateExample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(m_lDateExample, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return panel;
}

std::optional<TFieldBox> TFieldPanels::BoxOf(const QObject* watched) const {
    for (size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i] == watched)
            return TFieldBox(i);
    return std::nullopt;
}

TFieldBoxes TFieldPanels::Contents() const {
    TFieldBoxes boxes;
    for (size_t i = 0; i < m_boxes.size(); ++i)
        boxes.Texts[i] = m_boxes[i]->text();
    boxes.PadLeft = m_rbPadLeft->isChecked();
    boxes.ResetOnPrint = m_cbResetOnPrint->isChecked();
    boxes.ByName = m_cbByName->isChecked();
    boxes.AddMonths = m_sbAddMonths->value();
    boxes.AddDays = m_sbAddDays->value();
    return boxes;
}

void TFieldPanels::Show(const TFieldBoxes& boxes) {
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        // A value read from a label file may be longer than the box takes when typing; it is
        // shown whole, so that leaving the box does not cut it.
        const int limit = FieldBoxInfo(TFieldBox(i)).MaxLength;
        m_boxes[i]->setMaxLength(std::max(limit, int(boxes.Texts[i].size())));
        if (m_boxes[i]->text() != boxes.Texts[i])
            m_boxes[i]->setText(boxes.Texts[i]);
    }
    (boxes.PadLeft ? m_rbPadLeft : m_rbPadRight)->setChecked(true);
    m_cbResetOnPrint->setChecked(boxes.ResetOnPrint);
    m_cbByName->setChecked(boxes.ByName);
    m_sbAddMonths->setValue(boxes.AddMonths);
    m_sbAddDays->setValue(boxes.AddDays);
}
