#include "merge/dialogs/FDataSource.h"

#include "merge/dialogs/MergeDialogTexts.h"
#include "platform/Errors.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(Text(name));
    return widget;
}

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* button = Named(new QPushButton(Text(text), parent), name);
    button->setAutoDefault(false);
    return button;
}
} // namespace

TFDataSource::TFDataSource(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFDataSource"));
    setWindowTitle(Text(MergeDialogText::DataSourceCaption));
    resize(560, 440);

    m_eConnection = Named(new QLineEdit(this), "eConnection");
    m_eConnection->setPlaceholderText(Text(MergeDialogText::ConnectionHint));
    auto* browse = Button(MergeDialogText::ConnectionBrowse, "ConnectionBrowseBtn", this);
    auto* connectionRow = new QHBoxLayout;
    connectionRow->addWidget(m_eConnection, 1);
    connectionRow->addWidget(browse);

    m_eQuery = Named(new QPlainTextEdit(this), "eQuery");
    m_eQuery->setPlaceholderText(Text(MergeDialogText::QueryHint));
    m_eQuery->setFixedHeight(72);
    m_eTable = Named(new QLineEdit(this), "eTable");
    m_eTable->setPlaceholderText(Text(MergeDialogText::TableHint));

    auto* form = new QFormLayout;
    form->addRow(Text(MergeDialogText::ConnectionCaption), connectionRow);
    form->addRow(Text(MergeDialogText::QueryCaption), m_eQuery);
    form->addRow(Text(MergeDialogText::TableCaption), m_eTable);

    m_gPreview = Named(new QTableWidget(this), "gPreview");
    m_gPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gPreview->verticalHeader()->hide();
    m_lMessage = Named(new QLabel(this), "lMessage");
    m_lMessage->setWordWrap(true);
    m_lMessage->setStyleSheet(QStringLiteral("color: #b00000"));

    auto* preview = Button(MergeDialogText::PreviewButton, "PreviewBtn", this);
    auto* ok = Button(MergeDialogText::Ok, "OkBtn", this);
    auto* cancel = Button(MergeDialogText::Cancel, "CancelBtn", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(preview);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_gPreview, 1);
    layout->addWidget(m_lMessage);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &TFDataSource::BrowseBtnClick);
    connect(preview, &QPushButton::clicked, this, &TFDataSource::PreviewBtnClick);
    connect(ok, &QPushButton::clicked, this, &TFDataSource::OkBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFDataSource::Execute(TDataSourceChoice& choice) {
    Load(choice);
    CentreOver(this, parentWidget() ? parentWidget() : QApplication::activeWindow());
    if (exec() != QDialog::Accepted)
        return false;
    choice = Choice();
    return true;
}

void TFDataSource::Load(const TDataSourceChoice& choice) {
    m_eConnection->setText(choice.Connection);
    m_eQuery->setPlainText(choice.Query);
    m_eTable->setText(choice.Table);
    m_gPreview->clear();
    m_gPreview->setRowCount(0);
    m_gPreview->setColumnCount(0);
    ShowMessage({});
}

TDataSourceChoice TFDataSource::Choice() const {
    return {m_eConnection->text().trimmed(), m_eQuery->toPlainText().trimmed(),
            m_eTable->text().trimmed()};
}

void TFDataSource::ShowMessage(const QString& text) {
    m_lMessage->setText(text);
    m_lMessage->setVisible(!text.isEmpty());
}

void TFDataSource::BrowseBtnClick() {
    const QString file = m_services.OpenFileName(this, {Text(MergeDialogText::DatabaseOpenTitle),
                                                        Text(MergeDialogText::DatabaseFilter),
                                                        QString(), m_eConnection->text()});
    if (!file.isEmpty())
        m_eConnection->setText(file);
}

void TFDataSource::PreviewBtnClick() {
    TPreviewRecords preview;
    try {
        preview = Choice().Preview(PreviewRows);
        ShowMessage({});
    } catch (const TUserError& e) {
        // The grid empties: rows of an earlier query must not pass for this one's.
        ShowMessage(e.Message());
    }
    m_gPreview->clear();
    m_gPreview->setColumnCount(int(preview.Header.size()));
    m_gPreview->setHorizontalHeaderLabels(preview.Header);
    m_gPreview->setRowCount(int(preview.Records.size()));
    for (int row = 0; row < preview.Records.size(); ++row)
        for (int column = 0; column < preview.Records[row].size(); ++column)
            m_gPreview->setItem(row, column, new QTableWidgetItem(preview.Records[row][column]));
    m_gPreview->resizeColumnsToContents();
}

void TFDataSource::OkBtnClick() {
    const QString problem = Choice().Problem();
    if (!problem.isEmpty())
        return ShowMessage(problem);
    accept();
}
