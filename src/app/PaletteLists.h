#pragma once

#include "barcode/BarcodeTypes.h"

#include <QColor>
#include <QComboBox>
#include <QStringList>
#include <QStyledItemDelegate>

#include <cstdint>

class QPainter;
class QPalette;
class QRect;

// The barcode type list: position i shows type IndexToBarcodeType(i). A position outside the
// list gives the first entry's type, and a code that is no type gives position 0.
TBarcodeType IndexToBarcodeType(int index);
int BarcodeTypeToIndex(TBarcodeType type);
QStringList BarcodeTypeListTexts();

// The two owner-drawn lists of the Shape page.
enum class TPaletteList { PenSize, BrushStyle };
inline constexpr int PenSizeEntryCount = 9;    // line widths 1 to 9
inline constexpr int BrushStyleEntryCount = 7; // "Solid" to "Cross"

// "Solid", "Clear", ... for brush style codes 0 to 7; "???" for any other.
QString BrushStyleEntryName(int index);

struct TPaletteEntryColors {
    QColor Background;
    QColor Foreground; // lines, samples and text
};
// Highlight colours for the selected entry, window colours otherwise.
TPaletteEntryColors PaletteEntryColors(const QPalette& palette, bool selected);

// Line size entry index: a line index + 1 pixels wide across the entry up to the room the text
// "8888" takes at the right, and the number index + 1 right-aligned 4 pixels from the edge.
void PaintPenSizeEntry(QPainter& painter, const QRect& rect, int index,
                       const TPaletteEntryColors& colors);
// Fill style entry index: a sample rectangle 25 pixels wide at the right end in a black frame,
// filled with the style, and the style's name at the left.
void PaintBrushStyleEntry(QPainter& painter, const QRect& rect, int index,
                          const TPaletteEntryColors& colors);

// Draws the entries of one of the two lists in its drop-down.
class TPaletteListDelegate : public QStyledItemDelegate {
public:
    TPaletteListDelegate(TPaletteList list, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TPaletteList m_list;
};

// A line size or fill style list whose entries, the closed box included, are drawn as what
// they stand for. The texts stay in the model for keyboard search and accessibility.
class TPaletteComboBox : public QComboBox {
public:
    explicit TPaletteComboBox(TPaletteList list, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPaletteList m_list;
};
