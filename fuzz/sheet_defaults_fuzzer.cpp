// The stored sheet defaults: the input is the store's file. Whatever it holds, the sheet read is
// either within the sheet limits or the built-in defaults.

#include "FuzzSupport.h"
#include "document/SheetLimits.h"
#include "files/SheetDefaults.h"
#include "platform/Preferences.h"

#include <QDateTime>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One file name throughout: the settings library keeps a cache entry per name, and a new
    // entry each input would look like a leak and make every input a full leak scan. It re-reads
    // a cached file only when its size or time changed, so each input gets a time of its own.
    static qint64 run = 0;
    const QString path = WriteFuzzInput(QStringLiteral("store.ini"), data, size);
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadWrite) ||
            !f.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + run++),
                           QFileDevice::FileModificationTime))
            abort();
    }
    {
        const TPreferenceStore store(path);
        TSheetSettings sheet;
        sheet.Rows = 3;
        LoadSheetDefaults(store, sheet);
        FuzzCheck(SheetLimitProblem(sheet).isEmpty(), "stored defaults beyond the sheet limits");
    }
    return 0;
}
