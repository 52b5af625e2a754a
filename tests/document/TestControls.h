#pragma once

#include "document/LabelDocument.h"
#include "document/lblobjs.h"

#include <QPainter>

// A control kind for tests: renders a solid block of its colour the size of its box.
class TBlockControl : public TLabelControl {
public:
    explicit TBlockControl(QColor colour = Qt::blue) : Colour(colour) { SetAutoSizeField(false); }
    void Draw() override {
        ++DrawCount;
        QImage& img = MutableImage();
        img = QImage(Width(), Height(), QImage::Format_RGB32);
        img.fill(Colour);
        TLabelControl::Draw();
    }
    std::unique_ptr<TLabelControl> CreateSameKind() const override {
        return std::make_unique<TBlockControl>();
    }
    void CopyKindProperties(const TLabelControl& source) override {
        Colour = static_cast<const TBlockControl&>(source).Colour;
    }
    QColor Colour;
    int DrawCount = 0;
};

// A label of the given size holding block controls at the given boxes (bottom first).
inline TBlockControl* AddBlock(TLabelDocument& label, int left, int top, int width, int height,
                               QColor colour = Qt::blue) {
    auto c = std::make_unique<TBlockControl>(colour);
    c->SetBox(TRect::FromBox(left, top, width, height), true);
    TBlockControl* raw = c.get();
    label.AddControl(std::move(c));
    raw->SetLoading(false);
    return raw;
}
