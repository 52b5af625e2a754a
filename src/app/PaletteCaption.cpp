#include "app/PaletteCaption.h"

#include "app/PaletteGlyphs.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kPadding = 3;   // above and below the title
constexpr int kButtonGap = 2; // between the buttons and from the right end

// A raised button face with a one-pixel bevel.
void PaintButtonFace(QPainter& p, const QRect& r, const QPalette& palette, bool sunken) {
    p.fillRect(r, palette.color(QPalette::Button));
    const QColor light = palette.color(QPalette::Light), dark = palette.color(QPalette::Dark);
    p.setPen(sunken ? dark : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}
} // namespace

TPaletteCaption::TPaletteCaption(const QString& title, QWidget* parent)
    : QWidget(parent), m_title(title) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize TPaletteCaption::sizeHint() const {
    return {fontMetrics().horizontalAdvance(m_title) + 3 * ButtonSide(),
            std::max(fontMetrics().height() + 2 * kPadding, 16)};
}

int TPaletteCaption::ButtonSide() const {
    return std::max(fontMetrics().height() + 2 * kPadding, 16) - 2 * kButtonGap;
}

QRect TPaletteCaption::CloseButton() const {
    const int side = ButtonSide();
    return {width() - kButtonGap - side, (height() - side) / 2, side, side};
}

QRect TPaletteCaption::PinButton() const {
    const QRect close = CloseButton();
    return close.translated(-(close.width() + kButtonGap), 0);
}

void TPaletteCaption::SetAutoExpand(bool on) {
    m_autoExpand = on;
    update();
}

void TPaletteCaption::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool active = window()->isActiveWindow();
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(active ? QPalette::Active : QPalette::Inactive,
                                 active ? QPalette::Highlight : QPalette::Mid));
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(pal.color(active ? QPalette::HighlightedText : QPalette::WindowText));
    const QRect pin = PinButton();
    p.drawText(QRect(4, 0, pin.left() - 6, height()), Qt::AlignLeft | Qt::AlignVCenter, m_title);

    PaintButtonFace(p, pin, pal, false);
    PaintPinGlyph(p, pin.adjusted(2, 2, -2, -2), m_autoExpand, pal.color(QPalette::ButtonText));
    const QRect close = CloseButton();
    PaintButtonFace(p, close, pal, m_closePressed);
    PaintCloseGlyph(p, close, pal.color(QPalette::ButtonText));
}

void TPaletteCaption::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (PinButton().contains(at)) {
        emit PinPressed();
    } else if (CloseButton().contains(at)) {
        m_closePressed = true;
        update();
    } else {
        m_dragging = true;
        emit DragStarted(event->globalPosition().toPoint());
    }
}

void TPaletteCaption::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        emit Dragged(event->globalPosition().toPoint());
}

void TPaletteCaption::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    if (m_closePressed) {
        m_closePressed = false;
        update();
        if (CloseButton().contains(event->position().toPoint()))
            emit CloseClicked();
    }
}
