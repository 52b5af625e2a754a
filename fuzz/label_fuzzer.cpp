// The whole label reader on its input as a label file, in either form (an archive or a plain
// description). Nothing may be left in the temporary folder once the controls are gone.

#include "FuzzSupport.h"
#include "files/FileOperations.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("input.lbl"), data, size);
    try {
        const TLabelContents doc = ReadLabelDocument(path);
        for (const auto& c : doc.Controls)
            (void)c->GetText();
    } catch (const TUserError&) {
    }
    CheckTempFolderEmpty();
    return 0;
}
