#include "CounterRuns.h"
#include "PdfProbe.h"
#include "PrivateCups.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// What unattended runs report and leave behind when the counters cannot be kept, the output
// cannot be delivered, or the printer's queue holds the job.

namespace {
bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A plain description of twelve 2 x 1 in labels to a page, each printing "N" and a counter
// from 1.
const QByteArray kCounterLabel =
    "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=4\r\nCONTROLS=1\r\n"
    "[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation Sans\r\n"
    "FONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=TEXT\r\nADVTXT_1=N\r\n"
    "ADVTYPE_2=SEQUENCE\r\nADVCUR_2=1\r\nADVMIN_2=1\r\n";

// A small file system of its own at folder for the life of the object (tmpfs); Why() says
// why not when it could not be mounted.
class TTinyDisk {
public:
    TTinyDisk(const QString& folder, const char* options) : m_folder(folder) {
        QDir().mkpath(folder);
        if (mount("vt-test", QFile::encodeName(folder).constData(), "tmpfs", 0, options) != 0)
            m_why = QString("cannot mount a tmpfs here: %1").arg(strerror(errno));
    }
    ~TTinyDisk() {
        if (m_why.isEmpty())
            umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    const QString& Why() const { return m_why; }
    bool MakeReadOnly() {
        return mount("vt-test", QFile::encodeName(m_folder).constData(), "tmpfs",
                     MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    // Writes into a filler file until the disk is full.
    void Fill() {
        QFile f(m_folder + "/filler");
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (f.write(block) == block.size()) {
        }
    }

private:
    QString m_folder, m_why;
};

// The program run with its stderr on a terminal, where it shows its progress, so that a test can
// stop it in the middle of a run.
class TTerminalRun {
public:
    TTerminalRun(const QStringList& args, const QString& workDir) {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        const std::string terminal = ptsname(m_master);
        std::vector<std::string> strings{VT_PROGRAM};
        for (const QString& a : args)
            strings.push_back(a.toStdString());
        std::vector<char*> argv;
        for (std::string& a : strings)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> envStrings;
        for (const QString& e : ProgramEnvironment(workDir).toStringList())
            envStrings.push_back(e.toStdString());
        std::vector<char*> envp;
        for (std::string& e : envStrings)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 2, terminal.c_str(), O_RDWR | O_NOCTTY, 0);
        posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addchdir_np(&files, QFile::encodeName(workDir).constData());
        if (posix_spawn(&m_pid, VT_PROGRAM, &files, nullptr, argv.data(), envp.data()) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&files);
    }
    ~TTerminalRun() {
        if (m_pid > 0 && !m_ended) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_master >= 0)
            close(m_master);
    }
    bool Started() const { return m_pid > 0; }
    // Reads the terminal until text shows; false when the program ended first.
    bool WaitFor(const QString& text) {
        while (!m_shown.contains(text))
            if (!ReadSome())
                return false;
        return true;
    }
    // Stops the program where it is; false when it had already ended.
    bool Stop() {
        kill(m_pid, SIGSTOP);
        int status = 0;
        if (waitpid(m_pid, &status, WUNTRACED) == m_pid && WIFSTOPPED(status))
            return true;
        m_ended = true;
        return false;
    }
    // Sends it a signal, as a user's Ctrl-C or the system's shutdown does.
    void Signal(int signal) { kill(m_pid, signal); }
    // Lets it go on to its end; its exit status.
    int Finish() {
        kill(m_pid, SIGCONT);
        while (ReadSome()) {
        }
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_ended = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const QString& Shown() const { return m_shown; }

private:
    bool ReadSome() {
        pollfd p{m_master, POLLIN, 0};
        if (poll(&p, 1, 60000) <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = read(m_master, buffer, sizeof buffer);
        if (got <= 0) // EIO once the program closed the terminal
            return false;
        m_shown += QString::fromLocal8Bit(buffer, int(got));
        return true;
    }
    int m_master = -1;
    pid_t m_pid = -1;
    bool m_ended = false;
    QString m_shown;
};

class RunOutcomeTest : public ::testing::Test {
protected:
    TScratchFolder scratch;
    QString Out(const char* name) const { return scratch.File(name); }
    // A counter label in folder.
    QString CounterLabel(const QString& folder) {
        const QString path = folder + "/counter.lbl";
        EXPECT_TRUE(WriteFile(path, kCounterLabel));
        return path;
    }
    TRun Print(const QString& label, const QStringList& where) {
        return Vellumtrace(QStringList{label, "-p", "-r", "12", "labels"} + where, scratch.Path(),
                           cups);
    }
    // A run that could not keep its counters: nothing delivered, the label as it was.
    void ExpectNothingDelivered(const TRun& r, const QString& label, const QByteArray& before,
                                const char* reason) {
        EXPECT_EQ(r.Exit, 1);
        EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
        EXPECT_TRUE(r.Err.contains("the counters could not be saved, so nothing was printed"))
            << r.Err.toStdString();
        EXPECT_TRUE(r.Err.contains(reason)) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Out("out.pdf")));
        EXPECT_EQ(FileBytes(label), before);
    }
    // A label that prints the data's first field, in the scratch folder.
    QString FieldLabel() {
        const QString path = scratch.File("orders.lbl");
        EXPECT_TRUE(WriteFile(
            path, QByteArray(kCounterLabel)
                      .replace("ADVTYPE_2=SEQUENCE\r\n", "ADVTYPE_2=FIELD\r\nADVNUM_2=1\r\n")));
        return path;
    }
    QString cups; // the print server of the runs; none by default
};
} // namespace

TEST_F(RunOutcomeTest, WriteProtectedLabelPrintsNothing) {
    const QString label = CounterLabel(scratch.Path());
    ASSERT_EQ(chmod(QFile::encodeName(label).constData(), 0444), 0);
    const TRun r = Print(label, {"-o", Out("out.pdf")});
    ExpectNothingDelivered(r, label, kCounterLabel, "the file is write-protected");
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(label).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST_F(RunOutcomeTest, CountersSavedByRootKeepTheLabelsOwnerAndMode) {
    const QString label = CounterLabel(scratch.Path());
    const QByteArray path = QFile::encodeName(label);
    const bool root = geteuid() == 0;
    if (root) { // a user's label printed by a script run with sudo
        ASSERT_EQ(chown(path.constData(), 4321, 8765), 0);
    }
    ASSERT_EQ(chmod(path.constData(), 0640), 0);
    const TRun r = Print(label, {"-o", Out("out.pdf")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(FileBytes(label).contains("ADVCUR_2=13\r\n"));
    struct stat st {};
    ASSERT_EQ(stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 8765u);
    }
}

TEST_F(RunOutcomeTest, LabelInAReadOnlyFolderPrintsNothing) {
    const QString folder = scratch.File("labels");
    std::unique_ptr<TTinyDisk> disk;
    QString label;
    if (geteuid() == 0) { // root writes into any folder; only a read-only file system stops it
        disk = std::make_unique<TTinyDisk>(folder, "size=1m");
        if (!disk->Why().isEmpty())
            GTEST_SKIP() << disk->Why().toStdString();
        label = CounterLabel(folder);
        ASSERT_TRUE(disk->MakeReadOnly());
    } else {
        QDir().mkpath(folder);
        label = CounterLabel(folder);
        ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    }
    const TRun r = Print(label, {"-o", Out("out.pdf")});
    ExpectNothingDelivered(r, label, kCounterLabel, disk ? "Read-only file system" : "counter.lbl");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"counter.lbl"});
    if (!disk)
        chmod(QFile::encodeName(folder).constData(), 0755);
}

TEST_F(RunOutcomeTest, FullDiskWhereTheLabelLivesPrintsNothing) {
    const QString folder = scratch.File("labels");
    TTinyDisk disk(folder, "size=256k");
    if (!disk.Why().isEmpty())
        GTEST_SKIP() << disk.Why().toStdString();
    const QString label = CounterLabel(folder);
    disk.Fill();
    TRun r = Print(label, {"-o", Out("out.pdf")});
    ExpectNothingDelivered(r, label, kCounterLabel, "counter.lbl");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"counter.lbl", "filler"}));
    // Once there is room the labels print from the first number: none was handed out.
    ASSERT_TRUE(QFile::remove(folder + "/filler"));
    r = Print(label, {"-o", Out("out.pdf")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(PrintedNumbers(Out("out.pdf")), NumberRange(1, 12));
    EXPECT_TRUE(FileBytes(label).contains("ADVCUR_2=13\r\n"));
}

TEST_F(RunOutcomeTest, DataFileRewrittenDuringTheRunPrintsNothing) {
    // An export long enough to be caught mid-run.
    const QString label = FieldLabel();
    const QString data = scratch.File("orders.csv");
    QByteArray records = "Order\r\n";
    for (int i = 1; i <= 20000; ++i)
        records += "ORD" + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(WriteFile(data, records));
    TTerminalRun run({label, "-p", "-i", data, "-o", Out("out.pdf")}, scratch.Path());
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.WaitFor("page 2")) << run.Shown().toStdString();
    if (!run.Stop())
        GTEST_SKIP() << "the run ended before the data file could be changed";
    // Another export written over the same file, as a spreadsheet saves in place.
    ASSERT_TRUE(WriteFile(data, "Order\r\nNEW1\r\nNEW2\r\n"));
    EXPECT_EQ(run.Finish(), 1);
    EXPECT_TRUE(run.Shown().contains(QString("vellumtrace: The data file %1 changed while it was "
                                             "being printed; nothing was printed.")
                                         .arg(data)))
        << run.Shown().right(300).toStdString();
    EXPECT_FALSE(QFile::exists(Out("out.pdf")));
}

// A data file whose last quoted field never closes still prints, with a warning that names the
// line, as that field runs to the end of the file.
TEST_F(RunOutcomeTest, UnclosedQuoteInTheDataIsWarnedAbout) {
    const QString label = FieldLabel();
    const QString data = scratch.File("orders.csv");
    ASSERT_TRUE(WriteFile(data, "Order\nA1\n\"A2\nA3\n"));
    const TRun r = Vellumtrace({label, "-p", "-i", data, "-o", Out("out.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QString("vellumtrace: warning: in the data file %1 the quoted field "
                                       "that opens on line 3 is never closed; it runs to the end "
                                       "of the file.")
                                   .arg(data)))
        << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("printed 2 labels")) << r.Out.toStdString();
}

// Ctrl-C in the middle of a run drawn on several threads stops them all: nothing is written, no
// part of the job is left in the temporary folder, and the label keeps its counters.
TEST_F(RunOutcomeTest, InterruptedThreadedRunLeavesNothing) {
    const QString label = CounterLabel(scratch.Path());
    TTerminalRun run({label, "-p", "-r", "40000", "labels", "--threads", "2", "-o", Out("out.pdf")},
                     scratch.Path());
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.WaitFor("page 12 of ")) << run.Shown().toStdString();
    run.Signal(SIGINT);
    EXPECT_EQ(run.Finish(), 1);
    EXPECT_TRUE(run.Shown().contains("vellumtrace: printing was interrupted; nothing was printed."))
        << run.Shown().right(300).toStdString();
    EXPECT_FALSE(QFile::exists(Out("out.pdf")));
    const QDir temp(scratch.File("vellumtrace-" + QString::number(getuid())));
    EXPECT_TRUE(temp.exists());
    EXPECT_EQ(temp.entryList(QDir::Files), QStringList());
    EXPECT_EQ(FileBytes(label), kCounterLabel);
}

TEST_F(RunOutcomeTest, FallbackPdfGoesWhereTheHelpSays) {
    const TRun help = Vellumtrace({"--help"}, scratch.Path());
    const QString said = help.Out.simplified();
    EXPECT_TRUE(said.contains("into a PDF file named after the label (LABEL.pdf) in the working "
                              "folder"))
        << help.Out.toStdString();
    EXPECT_FALSE(said.contains("beside the label"));
    // The label in one folder, the run in another, and no printer.
    QDir(scratch.Path()).mkpath("labels");
    QDir(scratch.Path()).mkpath("work");
    const QString label = CounterLabel(scratch.File("labels"));
    const TRun r = Vellumtrace({label, "-p"}, scratch.File("work"));
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(QFile::exists(scratch.File("work/counter.pdf")));
    EXPECT_FALSE(QFile::exists(scratch.File("labels/counter.pdf")));
}

// Runs that print on a queue of a print server of their own.
class QueueRunTest : public RunOutcomeTest {
protected:
    void SetUp() override {
        server = std::make_unique<TPrivateCups>(scratch.File("cups"));
        if (!server->Running())
            GTEST_SKIP() << "no private print server: " << server->Why().toStdString();
        ASSERT_TRUE(server->AddQueue(kQueue));
        cups = server->Server();
    }
    void TearDown() override { server.reset(); }
    QString QueueTool(const char* tool) {
        bool ok = false;
        server->Tool(tool, {kQueue}, &ok);
        EXPECT_TRUE(ok) << tool;
        return kQueue;
    }
    const QString kQueue = "VT_Test_Printer";
    std::unique_ptr<TPrivateCups> server;
};

TEST_F(QueueRunTest, RunSaysWhatTheQueueTookAndWarnsWhenItIsStopped) {
    const QString label = CounterLabel(scratch.Path());
    TRun r = Print(label, {"-d", kQueue});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, QString("vellumtrace: sent 12 labels on 1 pages to VT_Test_Printer as job "
                             "VT_Test_Printer-1\n"));
    EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();

    QueueTool("cupsdisable");
    r = Print(label, {"-d", kQueue});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString(); // the queue has the job
    EXPECT_EQ(r.Out, QString("vellumtrace: sent 12 labels on 1 pages to VT_Test_Printer as job "
                             "VT_Test_Printer-2\n"));
    EXPECT_EQ(r.Err, QString("vellumtrace: warning: the printer VT_Test_Printer is stopped; the "
                             "job waits in its queue until the printer is started.\n"));
    EXPECT_TRUE(server->Tool("lpstat", {"-o", kQueue}).contains("VT_Test_Printer-2"));
    EXPECT_TRUE(FileBytes(label).contains("ADVCUR_2=25\r\n"));
}

TEST_F(QueueRunTest, RefusedJobKeepsTheSavedCountersAndNamesTheSkippedNumbers) {
    const QString label = CounterLabel(scratch.Path());
    // Room for 15 labels, so that the run's 12 leave the sheet partly used.
    ASSERT_TRUE(WriteFile(label, QByteArray(kCounterLabel).replace("ROWS=4", "ROWS=5")));
    QueueTool("cupsreject");
    TRun r = Print(label, {"-d", kQueue});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
    EXPECT_TRUE(r.Err.contains("The printer VT_Test_Printer did not accept the job"))
        << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("the numbers 1 to 12 were not printed and are skipped"))
        << r.Err.toStdString();
    // The counters were saved before the queue was asked: a gap, never a repeat. The sheet's
    // free labels are where they were, as nothing reached it.
    EXPECT_TRUE(FileBytes(label).contains("ADVCUR_2=13\r\n"));
    EXPECT_FALSE(FileBytes(label).contains("NEXTLABEL=")) << FileBytes(label).toStdString();
    r = Print(label, {"-o", Out("out.pdf")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out,
              QString("vellumtrace: printed 12 labels on 1 pages into %1\n").arg(Out("out.pdf")));
    EXPECT_EQ(PrintedNumbers(Out("out.pdf")), NumberRange(13, 24));
}
