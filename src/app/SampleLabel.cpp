#include "app/SampleLabel.h"

#include "document/CanvasLabel.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"

namespace {
template <class T> T* Place(TCanvasLabel& label, int left, int top, int width, int height) {
    auto c = std::make_unique<T>(&label);
    c->SetBox(TRect::FromBox(left, top, width, height), true);
    T* raw = c.get();
    label.AddControl(std::move(c));
    raw->SetLoading(false);
    return raw;
}
} // namespace

void AddSampleControls(TCanvasLabel& label) {
    auto* frame =
        Place<TShapeLabel>(label, 6, 6, label.LabelWidth() - 12, label.LabelHeight() - 12);
    frame->SetShapeFormat(sfRoundRect);
    frame->SetBrushStyle(bsClear);
    frame->SetPenWidth(2);

    auto* name = Place<TTextLabel>(label, 14, 12, 20, 20);
    QFont bold(QStringLiteral("Arial"), 12);
    bold.setBold(true);
    name->SetFont(bold);
    name->SetText(QStringLiteral("Ostravane Supplies"));

    auto* address = Place<TMemoLabel>(label, 14, 32, 110, 50);
    address->SetText(QStringLiteral("12 Harbour Road\r\nUnit 4\r\nPort Elm 40120"));

    auto* stripe = Place<TShapeLabel>(label, 122, 36, 40, 36);
    stripe->SetBrushStyle(bsDiagCross);
    stripe->SetBrushColor(0x804000);
    stripe->SetShapeFormat(sfRectangle);

    auto* side = Place<TTextLabel>(label, 166, 14, 20, 20);
    side->SetRotation(1);
    side->SetText(QStringLiteral("FRAGILE"));
}
