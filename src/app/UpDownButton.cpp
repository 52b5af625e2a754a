#include "app/UpDownButton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(15, 10);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

TUpDownButton::TUpDownButton(QWidget* parent)
    : QWidget(parent), m_up(ArrowButton(Qt::UpArrow, "up", this)),
      m_down(ArrowButton(Qt::DownArrow, "down", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}
