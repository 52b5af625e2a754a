// libFuzzer target over the label readers: the archive reader, and the whole label reader on
// both archives and plain descriptions. Built only with clang (-DVT_FILES_FUZZER=ON).

#include "files/FileOperations.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
QTemporaryDir* g_scratch = nullptr;

QString Input(const uint8_t* data, size_t size) {
    const QString path = g_scratch->filePath(QStringLiteral("input.lbl"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts need it
    g_scratch = new QTemporaryDir;
    SetTempBaseForTesting(g_scratch->path());
    SetScreenResolution(96, 96);
    SetMessageHandler([](const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = Input(data, size);
    try {
        QStringList extracted;
        ReadLabelArchive(path, extracted);
        for (const QString& p : extracted)
            QFile::remove(p);
    } catch (const TUserError&) {
    }
    try {
        const TLabelDocument doc = ReadLabelDocument(path);
        for (const auto& c : doc.Controls)
            (void)c->GetText();
    } catch (const TUserError&) {
    }
    // Nothing may be left behind once the controls are gone.
    if (!QDir(TempFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        abort();
    return 0;
}
