// The command-line parser: the input is the parameters, separated by zero bytes. Whatever they
// are, the presets of a run stay within what a run can take.

#include "FuzzSupport.h"
#include "print/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList params{QStringLiteral("vellumtrace")};
    for (const QByteArray& p :
         QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0'))
        params << QString::fromUtf8(p);
    const TCommandLineOptions o = ParseCommandLine(params);
    FuzzCheck(o.Count >= 1 && o.Copies >= 1 && o.Skip >= 0, "a count out of range");
    FuzzCheck(o.Range == TPrintRange::All || o.Range == TPrintRange::Pages ||
                  o.Range == TPrintRange::Labels,
              "an unknown range");
    FuzzCheck(o.DataFile.isEmpty() || o.MissingDataFile.isEmpty(),
              "a data file both found and missing");
    for (qsizetype i = 1; i < std::min<qsizetype>(params.size(), 16); ++i)
        FuzzCheck(FindSwitch(params, params[i]) <= i, "a switch found past its first place");
    return 0;
}
