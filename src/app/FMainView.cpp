// The View menu's zoom commands, Ctrl with the mouse wheel, and the zoom's status panel.
#include "app/FMain.h"

#include "app/DesignArea.h"
#include "app/ZoomSteps.h"
#include "document/LabelDocument.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QLabel>

#include <cmath>

void TFMain::ConnectView() {
    connect(m_actions[TActionId::ZoomIn], &QAction::triggered, this,
            [this] { ZoomAbout(ZoomInFrom(ZoomPercent()), m_design->PanelCentre()); });
    connect(m_actions[TActionId::ZoomOut], &QAction::triggered, this,
            [this] { ZoomAbout(ZoomOutFrom(ZoomPercent()), m_design->PanelCentre()); });
    connect(m_actions[TActionId::ZoomActual], &QAction::triggered, this,
            [this] { ZoomAbout(ActualSizeZoom, m_design->PanelCentre()); });
    connect(m_actions[TActionId::ZoomFit], &QAction::triggered, this, &TFMain::ZoomToFit);
    Label().OnZoomWheel = [this](int steps, const QPoint& at) {
        int percent = ZoomPercent();
        for (; steps > 0; --steps)
            percent = ZoomInFrom(percent);
        for (; steps < 0; ++steps)
            percent = ZoomOutFrom(percent);
        // at is on the label; the design area keeps that point under the pointer.
        ZoomAbout(percent, Label().pos() + at);
    };
}

int TFMain::ZoomPercent() const {
    return int(std::lround(Label().Zoom() * 100));
}

void TFMain::ZoomTo(int percent) {
    ZoomAbout(percent, m_design->PanelCentre());
}

void TFMain::ZoomToFit() {
    const QWidget& panel = m_design->Panel();
    ZoomAbout(FittingZoom(Document().LabelWidth(), Document().LabelHeight(), panel.width(),
                          panel.height()),
              QPoint());
    m_design->ShowTopLeftCorner();
}

void TFMain::ZoomAbout(int percent, QPoint anchor) {
    percent = ClampZoom(percent);
    m_design->SetZoom(percent / 100.0, anchor);
    m_statusZoom->setText(QString::number(percent) + QLatin1Char('%'));
}
