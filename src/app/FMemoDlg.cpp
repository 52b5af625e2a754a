#include "app/FMemoDlg.h"

#include "platform/TextEncoding.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Far beyond any label's text; a larger file was picked by mistake.
constexpr qint64 kMaxTextFile = 4 << 20;
} // namespace

TFMemoDlg::TFMemoDlg(TUiServices services, QWidget* parent)
    : QDialog(parent), m_services(std::move(services)) {
    setObjectName(QStringLiteral("FMemoDlg"));
    setWindowTitle(QStringLiteral("Enter Text"));
    setSizeGripEnabled(true);
    resize(258, 277);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* import = new QToolButton(this);
    import->setObjectName(QStringLiteral("ImportBtn"));
    import->setText(QStringLiteral("..."));
    import->setToolTip(QStringLiteral("Import Text File"));
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkBtn"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(import, &QToolButton::clicked, this, [this] {
        TFileDialogRequest request{QStringLiteral("Import Text File"),
                                   QStringLiteral("Text Files (*.txt)"), QStringLiteral("txt"),
                                   QString()};
        const QString path = UiServices().FileName(this, request);
        if (!path.isEmpty())
            ImportTextFile(path);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(import);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);
}

void TFMemoDlg::SetText(const QString& text) {
    m_memo->setPlainText(text);
}

QString TFMemoDlg::Text() const {
    return m_memo->toPlainText();
}

bool TFMemoDlg::ImportTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        UiServices().Error(this,
                           QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.size() > kMaxTextFile) {
        UiServices().Error(this, QStringLiteral("%1 is too large for a label's text.").arg(path));
        return false;
    }
    m_memo->setPlainText(DecodeTextFile(file.readAll()));
    return true;
}
