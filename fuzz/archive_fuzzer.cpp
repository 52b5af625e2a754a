// The label archive reader: whatever the input, every file it extracts is a fresh file in the
// temporary folder, and a refused archive leaves nothing behind.

#include "FuzzSupport.h"
#include "files/ArchiveU.h"
#include "platform/Errors.h"
#include "platform/TempFiles.h"

#include <QFile>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("input.lbl"), data, size);
    try {
        QStringList extracted, names;
        const bool ours = ReadLabelArchive(path, extracted, &names);
        FuzzCheck(ours || extracted.isEmpty(), "files extracted from a foreign archive");
        FuzzCheck(extracted.size() == names.size(), "names and files differ in number");
        const QString temp = QFileInfo(TempFolder()).absoluteFilePath();
        for (const QString& p : extracted) {
            FuzzCheck(QFileInfo(p).absolutePath() == temp, "a file extracted elsewhere");
            QFile::remove(p);
        }
        for (const QString& n : names)
            FuzzCheck(!n.isEmpty() && !n.contains(QLatin1Char('/')), "an unsafe stored name");
    } catch (const TUserError&) {
    }
    CheckTempFolderEmpty();
    return 0;
}
