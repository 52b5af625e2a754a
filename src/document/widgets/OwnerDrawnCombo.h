#pragma once

#include <QRect>

class QComboBox;
class QStylePainter;

// Draws a closed combo box without its text and returns the field in which the owner draws
// the current entry itself.
QRect PaintComboFrame(QComboBox& box, QStylePainter& painter);
