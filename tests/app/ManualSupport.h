#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The switches a help text names anywhere, found by their look alone: what the manual page and
// the completion are checked against, independent of how the generator reads the help.
inline QStringList SwitchesNamedIn(const QString& help) {
    static const QRegularExpression sw(QStringLiteral(R"((?:^|\s)(-{1,2}[a-z][a-z-]*))"),
                                       QRegularExpression::MultilineOption);
    QStringList found;
    for (auto it = sw.globalMatch(help); it.hasNext();)
        if (const QString name = it.next().captured(1); !found.contains(name))
            found << name;
    return found;
}

// A help text with two switches of its own added before --help: one with its description on
// the same line, one with a term too wide for the column and its description below.
inline QString HelpWithAddedSwitches(const QString& help) {
    QString more = help;
    more.replace(QLatin1String("  --help  "),
                 QLatin1String("  --frobnicate N  turn the knob N times\n"
                               "  --rearrange-everything WAY\n"
                               "                  put every label somewhere else\n"
                               "  --help  "));
    return more;
}

struct TToolRun {
    int Exit = -1;
    QByteArray Out, Err;
};

inline TToolRun RunTool(const QString& program, const QStringList& args,
                        const QByteArray& input = QByteArray(),
                        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                        const QString& workDir = QString()) {
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForStarted())
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}
