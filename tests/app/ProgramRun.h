#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// How the program ended when run as another program runs it.
struct TRun {
    int Exit = -1;
    QString Out, Err;
};

// The environment of a run as another program starts it: no display, its own config and
// temporary folders. The
// print server is cupsServer (a socket path), or none, so that the tests never reach a real
// printer and the PDF printer is current.
inline QProcessEnvironment ProgramEnvironment(const QString& workDir,
                                              const QString& cupsServer = QString()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_CONFIG_HOME", workDir + "/config");
    env.insert("TMPDIR", workDir); // its temporary files where the test can see them
    env.insert("CUPS_SERVER", cupsServer.isEmpty() ? workDir + "/no-cups-here.sock" : cupsServer);
    return env;
}

// Runs the program in workDir with the environment env.
inline TRun RunProgram(const QStringList& args, const QString& workDir,
                       const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(VT_PROGRAM, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

// Runs the program in workDir with ProgramEnvironment.
inline TRun Vellumtrace(const QStringList& args, const QString& workDir,
                        const QString& cupsServer = QString()) {
    return RunProgram(args, workDir, ProgramEnvironment(workDir, cupsServer));
}

// A file's bytes, or none when it cannot be read (a run that should have left no file).
inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
