// The label description reader on its input as a description, in both forms: as a plain label
// file and packed as the first entry of a label archive. Both must end the same way.

#include "FuzzSupport.h"
#include "files/FileOperations.h"
#include "files/IniFile.h"
#include "platform/Errors.h"

#include <QDir>

namespace {
// How a read ended: the controls' kinds and texts, or the refusal.
QStringList Outcome(const QString& path) {
    QStringList outcome;
    try {
        const TLabelContents doc = ReadLabelDocument(path);
        for (const auto& c : doc.Controls)
            outcome << QString::number(int(c->Kind())) + QLatin1Char(':') + c->GetText();
    } catch (const TUserError&) {
        outcome << QStringLiteral("refused");
    }
    return outcome;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The plain form starts with a magic-free description; an input that begins like an
    // archive is the label target's business.
    if (size >= 11 && QByteArrayView(data, 11) == "Vellumtrace")
        return 0;
    const QString plain = WriteFuzzInput(QStringLiteral("plain.lbl"), data, size);
    const QStringList fromPlain = Outcome(plain);
    CheckTempFolderEmpty();

    const QString description =
        WriteFuzzInput(QString::fromLatin1(Archive::DescriptionName), data, size);
    const QString packed = QDir(FuzzScratch()).filePath(QStringLiteral("packed.lbl"));
    try {
        WriteLabelArchive(packed, {description});
    } catch (const TUserError&) {
        return 0;
    }
    const QStringList fromArchive = Outcome(packed);
    CheckTempFolderEmpty();
    // The picture source differs (paths beside the label, entries of the archive), but neither
    // has pictures here; a file shorter than the archive magic is refused as a plain file.
    if (size >= 11)
        FuzzCheck(fromPlain == fromArchive, "the two forms of one description read differently");
    return 0;
}
