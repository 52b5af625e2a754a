#include "app/DesignArea.h"

#include "app/Rulers.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kStrip = 20;    // ruler strip depth
constexpr int kRulerBox = 18; // the painted ruler inside the strip

// A strip of fixed depth that holds a ruler box 18 pixels deep at its far edge, next to the
// label, as a bevelled frame would.
QWidget* Strip(Qt::Orientation orientation, TRulerBox* ruler, QWidget* parent) {
    auto* strip = new QWidget(parent);
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(kStrip - kRulerBox - 1);
    layout->addWidget(ruler);
    layout->addSpacing(1);
    if (orientation == Qt::Horizontal)
        strip->setFixedHeight(kStrip);
    else
        strip->setFixedWidth(kStrip);
    return strip;
}
} // namespace

TRulerBox::TRulerBox(Qt::Orientation orientation, TCanvasLabel& label, QWidget* parent)
    : QWidget(parent), m_orientation(orientation), m_label(label) {
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("pHorzRuler")
                                                : QStringLiteral("pVertRuler"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (orientation == Qt::Horizontal)
        setFixedHeight(kRulerBox);
    else
        setFixedWidth(kRulerBox);
}

QSize TRulerBox::sizeHint() const {
    return m_orientation == Qt::Horizontal ? QSize(100, kRulerBox) : QSize(kRulerBox, 100);
}

void TRulerBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TRulerStyle style{palette().color(QPalette::Light), palette().color(QPalette::WindowText),
                            RulerFont()};
    if (m_orientation == Qt::Horizontal)
        DrawHorizontalRuler(painter, width(), height(), m_label.x(), m_label.MetricGrid,
                            ScreenPixelsPerInchX(), style, m_label.Zoom());
    else
        DrawVerticalRuler(painter, width(), height(), m_label.y(), m_label.MetricGrid,
                          ScreenPixelsPerInchY(), style, m_label.Zoom());
}

TDesignArea::TDesignArea(TLabelDocument& document, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pDesignArea"));
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("pDesign"));
    m_panel->setAutoFillBackground(true);
    QPalette dark = m_panel->palette();
    dark.setColor(QPalette::Window, dark.color(QPalette::Dark)); // the button-shadow grey
    m_panel->setPalette(dark);
    m_panel->installEventFilter(this);

    m_label = new TCanvasLabel(document, m_panel);
    m_label->setObjectName(QStringLiteral("Label"));
    m_label->move(0, 0);

    m_hRuler = new TRulerBox(Qt::Horizontal, *m_label, this);
    m_vRuler = new TRulerBox(Qt::Vertical, *m_label, this);
    m_corner = new QToolButton(this);
    m_corner->setObjectName(QStringLiteral("sbTopLeft"));
    m_corner->setToolTip(QStringLiteral("Show top left corner"));
    m_corner->setFixedSize(kStrip, kStrip);
    m_corner->setAutoRaise(true);
    connect(m_corner, &QToolButton::clicked, this, &TDesignArea::ShowTopLeftCorner);

    m_vScroll = new QScrollBar(Qt::Vertical, this);
    m_vScroll->setObjectName(QStringLiteral("VertScrollBar"));
    m_hScroll = new QScrollBar(Qt::Horizontal, this);
    m_hScroll->setObjectName(QStringLiteral("HorzScrollBar"));
    for (QScrollBar* bar : {m_vScroll, m_hScroll}) {
        bar->setRange(0, 0);
        bar->setPageStep(0);
    }
    connect(m_vScroll, &QScrollBar::valueChanged, this, [this](int position) {
        m_label->move(m_label->x(), -position);
        m_vRuler->update();
    });
    connect(m_hScroll, &QScrollBar::valueChanged, this, [this](int position) {
        m_label->move(-position, m_label->y());
        m_hRuler->update();
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_corner, 0, 0);
    grid->addWidget(Strip(Qt::Horizontal, m_hRuler, this), 0, 1);
    grid->addWidget(Strip(Qt::Vertical, m_vRuler, this), 1, 0);
    grid->addWidget(m_panel, 1, 1);
    grid->addWidget(m_vScroll, 1, 2);
    grid->addWidget(m_hScroll, 2, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
}

void TDesignArea::ApplyLabelSize(const TSheetSettings& sheet) {
    // Height first, then width, each followed by the scroll ranges, so every intermediate size
    // has valid ranges.
    TLabelDocument& document = m_label->Document();
    document.SetLabelSize(document.LabelWidth(), LabelPixelHeight(sheet));
    UpdateScrollRanges();
    document.SetLabelSize(LabelPixelWidth(sheet), document.LabelHeight());
    UpdateScrollRanges();
}

void TDesignArea::SetZoom(double zoom, QPoint anchor) {
    if (zoom <= 0 || zoom == m_label->Zoom())
        return;
    // The label point under the anchor, in label pixels and their fractions.
    const QPointF at = QPointF(anchor - m_label->pos()) / m_label->Zoom();
    m_label->SetZoom(zoom);
    UpdateScrollRanges();
    const auto position = [](QScrollBar* bar, double v) {
        bar->setValue(std::clamp(int(std::lround(v)), bar->minimum(), bar->maximum()));
    };
    position(m_hScroll, at.x() * zoom - anchor.x());
    position(m_vScroll, at.y() * zoom - anchor.y());
    // A position that did not change raises nothing, yet the label's place must follow it.
    m_label->move(-m_hScroll->value(), -m_vScroll->value());
    RepaintRulers();
}

QPoint TDesignArea::PanelCentre() const {
    return QPoint(m_panel->width() / 2, m_panel->height() / 2);
}

void TDesignArea::UpdateScrollRanges() {
    // The label's widget is its zoomed size; the inch of panel beyond stays an inch of screen.
    const int32_t dx = ScreenPixelsPerInchX(), dy = ScreenPixelsPerInchY();
    const QSize label = m_label->ZoomedSize();
    m_vScroll->setMaximum(std::max(0, label.height() + dy - m_panel->height()));
    m_hScroll->setMaximum(std::max(0, label.width() + dx - m_panel->width()));
    m_vScroll->setMinimum(0);
    m_hScroll->setMinimum(0);
    m_vScroll->setPageStep(dy);
    m_hScroll->setPageStep(dx);
    m_vScroll->setSingleStep(dy / 8);
    m_hScroll->setSingleStep(dx / 8);
}

void TDesignArea::PlaceLabelAtOrigin() {
    m_label->move(0, 0);
}

void TDesignArea::RepaintRulers() {
    m_hRuler->update();
    m_vRuler->update();
}

void TDesignArea::ShowTopLeftCorner() {
    m_vScroll->setValue(0);
    m_hScroll->setValue(0);
    // Positions already at 0 raise no change; the label may still have been moved.
    m_label->move(-m_hScroll->value(), -m_vScroll->value());
    RepaintRulers();
}

bool TDesignArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel && event->type() == QEvent::Resize)
        UpdateScrollRanges();
    // The wheel over the panel, or over the label when it does not zoom: Ctrl zooms about the
    // pointer as over the label, otherwise the scroll bars move (Shift or a sideways wheel
    // across), as in any document window.
    if (watched == m_panel && event->type() == QEvent::Wheel && !m_forwardingWheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        const bool zooms = wheel->modifiers() & Qt::ControlModifier;
        if (zooms && !m_label->OnZoomWheel)
            return QWidget::eventFilter(watched, event);
        const bool across =
            !zooms && ((wheel->modifiers() & Qt::ShiftModifier) || wheel->angleDelta().x() != 0);
        QWidget* target = zooms ? static_cast<QWidget*>(m_label) : across ? m_hScroll : m_vScroll;
        // Through the screen: the scroll bars sit beside the panel, not inside it.
        const QPointF at = target->mapFromGlobal(m_panel->mapToGlobal(wheel->position()));
        QWheelEvent forwarded(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                              wheel->buttons(), zooms ? wheel->modifiers() : Qt::NoModifier,
                              wheel->phase(), wheel->inverted());
        m_forwardingWheel = true;
        QCoreApplication::sendEvent(target, &forwarded);
        m_forwardingWheel = false;
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
