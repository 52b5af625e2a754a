#include "FuzzSupport.h"

#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {
QTemporaryDir* g_scratch = nullptr;
QString g_temp;
} // namespace

void InitFuzzing(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts and pictures need it
    g_scratch = new QTemporaryDir;
    g_temp = g_scratch->filePath(QStringLiteral("temp"));
    QDir().mkpath(g_temp);
    SetTempBaseForTesting(g_temp);
    SetScreenResolution(96, 96);
    SetMessageHandler([](const QString&) {});
}

// libFuzzer calls it once before the first input; every target sets up the same way.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    InitFuzzing(argc, argv);
    return 0;
}

QString FuzzScratch() {
    return g_scratch->path();
}

QString WriteFuzzInput(const QString& name, const uint8_t* data, size_t size) {
    const QString path = g_scratch->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        abort();
    return path;
}

void CheckTempFolderEmpty() {
    FuzzCheck(QDir(TempFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              "a file was left in the temporary folder");
}

void FuzzCheck(bool ok, const char* what) {
    if (ok)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    abort();
}
