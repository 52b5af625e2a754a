#include "print/dialogs/CopiesFieldBox.h"

#include "merge/DataFileLimits.h"
#include "print/dialogs/PrintDialogTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QSpinBox>

TCopiesFieldBox::TCopiesFieldBox(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    m_cbCopiesField = new QCheckBox(QString::fromLatin1(PrintDialogText::CopiesFromField), this);
    m_cbCopiesField->setObjectName(QStringLiteral("cbCopiesField"));
    m_cbCopiesField->setToolTip(QString::fromLatin1(PrintDialogText::CopiesFromFieldHint));
    m_eCopiesField = new QSpinBox(this);
    m_eCopiesField->setObjectName(QStringLiteral("eCopiesField"));
    m_eCopiesField->setRange(1, int(DataFileLimits::MaxFields));
    m_eCopiesField->setFixedWidth(70);
    m_cbCopiesByName = new QCheckBox(this);
    m_cbCopiesByName->setObjectName(QStringLiteral("cbCopiesByName"));
    m_cbCopiesByName->setToolTip(QString::fromLatin1(PrintDialogText::CopiesByNameHint));
    grid->addWidget(m_cbCopiesField, 0, 0);
    grid->addWidget(m_eCopiesField, 0, 1);
    grid->addWidget(m_cbCopiesByName, 1, 0, 1, 2);
    grid->setColumnStretch(2, 1);

    connect(m_cbCopiesField, &QCheckBox::toggled, this, [this](bool on) {
        Update();
        emit ChosenChanged(on);
    });
    connect(m_eCopiesField, &QSpinBox::valueChanged, this, [this] { Update(); });
    Update();
}

void TCopiesFieldBox::SetColumnNames(const TImportRecord& names) {
    m_names = names;
    Update();
}

void TCopiesFieldBox::Load(int32_t field, const QString& name) {
    const QSignalBlocker block(m_cbCopiesField);
    m_cbCopiesField->setChecked(field > 0 || !name.isEmpty());
    // By name, the field is where the data's header has the name now.
    int32_t shown = std::max(1, field);
    if (!name.isEmpty())
        if (const qsizetype at = NamedColumn(m_names, name); at >= 0)
            shown = int32_t(at + 1);
    m_eCopiesField->setValue(shown);
    m_cbCopiesByName->setChecked(!name.isEmpty());
    Update();
    emit ChosenChanged(Chosen());
}

bool TCopiesFieldBox::Chosen() const {
    return m_cbCopiesField->isChecked();
}

int32_t TCopiesFieldBox::Field() const {
    return Chosen() ? m_eCopiesField->value() : 0;
}

QString TCopiesFieldBox::Name() const {
    if (!Chosen() || !m_cbCopiesByName->isChecked() || !m_cbCopiesByName->isEnabled())
        return {};
    const int32_t i = m_eCopiesField->value() - 1;
    return i < m_names.size() ? m_names.at(i).trimmed() : QString();
}

void TCopiesFieldBox::Update() {
    const int32_t i = m_eCopiesField->value() - 1;
    const QString name = i < m_names.size() ? m_names.at(i).trimmed() : QString();
    m_eCopiesField->setEnabled(Chosen());
    // The header's name of the field shows beside it, as the field editor shows it.
    m_cbCopiesByName->setText(name.isEmpty()
                                  ? QString::fromLatin1(PrintDialogText::CopiesNoName)
                                  : QString::fromLatin1(PrintDialogText::CopiesByName).arg(name));
    m_cbCopiesByName->setEnabled(Chosen() && !name.isEmpty());
}
