// The stored sheet defaults: the input is the store's file. Whatever it holds, the sheet read is
// either within the sheet limits or the built-in defaults.

#include "FuzzSupport.h"
#include "document/SheetLimits.h"
#include "files/SheetDefaults.h"
#include "platform/Preferences.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    InitFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A name of its own each time: the settings library caches files by name.
    static int run = 0;
    const QString path =
        WriteFuzzInput(QStringLiteral("store%1.ini").arg(run++ % 1000), data, size);
    {
        const TPreferenceStore store(path);
        TSheetSettings sheet;
        sheet.Rows = 3;
        LoadSheetDefaults(store, sheet);
        FuzzCheck(SheetLimitProblem(sheet).isEmpty(), "stored defaults beyond the sheet limits");
    }
    QFile::remove(path);
    return 0;
}
