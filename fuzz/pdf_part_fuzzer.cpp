// The joiner of a threaded print run's parts, on parts that are damaged: it refuses them or
// joins them into a document that ends as a PDF does, and never reads beyond what it was given.

#include "FuzzSupport.h"
#include "platform/Errors.h"
#include "platform/PdfJoin.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray part(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray joined;
    QBuffer output(&joined);
    output.open(QIODevice::WriteOnly);
    TPdfJoin join(output, QStringLiteral("joined.pdf"));
    try {
        join.AppendBytes(part, QStringLiteral("part.pdf"));
        join.AppendBytes(part, QStringLiteral("part.pdf"));
        join.Finish();
        FuzzCheck(joined.startsWith("%PDF-1.4") && joined.endsWith("%%EOF\n"),
                  "a joined document that is not a whole PDF");
    } catch (const TUserError&) {
    }
    return 0;
}
