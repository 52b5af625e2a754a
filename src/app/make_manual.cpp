// Writes the manual page and the bash completion from the program's --help text at build time:
//   vt_make_manual VERSION DATE MAN_TEMPLATE MAN_OUT COMPLETION_TEMPLATE COMPLETION_OUT
#include "app/ManualPage.h"
#include "app/ShellCompletion.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {
QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TUserError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

void WriteText(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw TUserError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fputs("usage: vt_make_manual VERSION DATE MAN_TEMPLATE MAN_OUT COMPLETION_TEMPLATE "
                   "COMPLETION_OUT\n",
                   stderr);
        return 2;
    }
    const auto arg = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
    try {
        const QString help = CommandLineHelp();
        WriteText(arg(4), ManualPage(ReadText(arg(3)), help, arg(1), arg(2)));
        WriteText(arg(6), ShellCompletion(ReadText(arg(5)), help));
    } catch (const TUserError& e) {
        std::fprintf(stderr, "vt_make_manual: %s\n", e.Message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
