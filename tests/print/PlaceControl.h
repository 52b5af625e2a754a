#pragma once

#include "document/LabelDocument.h"

#include <memory>

// Adds a control of kind T with the box (left, top, width, height) in screen pixels to label,
// as loading a label file leaves it.
template <class T>
T* PlaceControl(TLabelDocument& label, int left, int top, int width, int height) {
    auto c = std::make_unique<T>();
    c->SetBox(TRect::FromBox(left, top, width, height), false);
    T* raw = c.get();
    label.AddControl(std::move(c));
    raw->SetLoading(false);
    return raw;
}

// Appends a control of kind T with the box (left, top, width, height) in screen pixels to a
// controls list of its own, as a run is handed one.
template <class T> T& Add(TControlList& controls, int left, int top, int width, int height) {
    auto c = std::make_unique<T>();
    c->SetBox(TRect::FromBox(left, top, width, height), true);
    T& raw = *c;
    controls.push_back(std::move(c));
    return raw;
}
