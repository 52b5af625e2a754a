// The template reader: a refused template leaves the sheet as it was; an accepted one is within
// the sheet limits.

#include "FuzzSupport.h"
#include "document/SheetLimits.h"
#include "files/Template.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("input.lbf"), data, size);
    TSheetSettings sheet;
    sheet.Rows = 7; // something a template does not set
    sheet.BorderStyle = 2;
    const TSheetSettings before = sheet;
    try {
        ReadTemplate(path, sheet);
        FuzzCheck(SheetLimitProblem(sheet).isEmpty(), "a template beyond the sheet limits");
        FuzzCheck(sheet.BorderStyle == before.BorderStyle, "a template set the border");
    } catch (const TUserError&) {
        FuzzCheck(sheet == before, "a refused template changed the sheet");
    }
    return 0;
}
