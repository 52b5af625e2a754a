#include "app/FAbout.h"

#include "app/Resources.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* AddLabel(QVBoxLayout* layout, const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    layout->addWidget(label);
    return label;
}
} // namespace

QString ProgramVersion() {
    return QStringLiteral(VT_VERSION);
}

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QLatin1String(Title));

    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("lIcon"));
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    QLabel* product = AddLabel(texts, "lProduct", QLatin1String(Product));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    AddLabel(texts, "lVersion", QStringLiteral("Version %1").arg(ProgramVersion()));
    texts->addSpacing(6);
    QLabel* description = AddLabel(texts, "lDescription", QLatin1String(Description));
    description->setWordWrap(true);
    texts->addSpacing(6);
    AddLabel(texts, "lQtVersion", QStringLiteral("Qt %1").arg(QLatin1String(qVersion())));
    const QString home = QStringLiteral(VT_HOME_PAGE);
    if (!home.isEmpty())
        AddLabel(texts, "lHome", home)->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(10);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    // The description wraps, so the height follows from the width.
    constexpr int width = 380;
    setFixedSize(width, hasHeightForWidth() ? heightForWidth(width) : sizeHint().height());
}
