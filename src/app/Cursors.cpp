#include "app/Cursors.h"

#include <QPixmap>

namespace {
struct TCursorSpec {
    int Number;
    const char* Resource;
};
const TCursorSpec kCursors[] = {
    {5, ":/cursors/CRDRAG.xpm"}, {6, ":/cursors/CRTEXT.xpm"}, {7, ":/cursors/CRBRCD.xpm"},
    {8, ":/cursors/CRSHPE.xpm"}, {9, ":/cursors/CRGRFX.xpm"},
};
// Where the crosshairs of all five pictures cross.
constexpr int kHotSpotX = 7;
constexpr int kHotSpotY = 7;
} // namespace

QCursor AddToolCursor(int number) {
    for (const TCursorSpec& spec : kCursors) {
        if (spec.Number != number)
            continue;
        const QPixmap picture(QLatin1String(spec.Resource));
        if (picture.isNull())
            break;
        return QCursor(picture, kHotSpotX, kHotSpotY);
    }
    return QCursor(Qt::ArrowCursor);
}
