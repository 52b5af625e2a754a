#pragma once

#include "document/lblobjs.h"

// One line of text in any of the four rotations.
class TTextLabel : public TLabelControl {
public:
    TTextLabel();
    void Draw() override;
    QImage ZoomedImage(double zoom) const override;
    std::unique_ptr<TLabelControl> CreateSameKind() const override;
};

// Formatted text: several lines, word-wrapped into the box's width and aligned.
class TMemoLabel : public TLabelControl {
public:
    TMemoLabel();
    void Draw() override;
    QImage ZoomedImage(double zoom) const override;
    void SetHAlign(uint8_t h) override;
    void SetVAlign(uint8_t v) override;
    std::unique_ptr<TLabelControl> CreateSameKind() const override;
};
