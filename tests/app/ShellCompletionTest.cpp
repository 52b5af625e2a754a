#include "ManualSupport.h"

#include "app/ShellCompletion.h"
#include "print/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// Runs the completion function as bash runs it on a press of Tab after words (the last one the
// word being completed), in workDir with PATH set as given; the offers, sorted.
struct TCompletion {
    QStringList Offers;
    QString Errors;
};

TCompletion Complete(const QString& script, const QStringList& words, const QString& workDir,
                     const QString& path = qEnvironmentVariable("PATH")) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", path);
    const QString run = QStringLiteral(
        "source \"$1\"; shift; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMP_LINE=\"$*\"; "
        "COMP_POINT=${#COMP_LINE}; "
        "_vellumtrace vellumtrace \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"; "
        "printf '%s\\n' \"${COMPREPLY[@]}\"");
    const TToolRun r = RunTool(QStringLiteral("/bin/bash"),
                               QStringList{"--norc", "--noprofile", "-c", run, "bash", script} +
                                   (QStringList{"vellumtrace"} + words),
                               {}, env, workDir);
    EXPECT_EQ(r.Exit, 0) << r.Err.constData();
    QStringList offers = QString::fromUtf8(r.Out).split(u'\n', Qt::SkipEmptyParts);
    offers.sort();
    return {offers, QString::fromUtf8(r.Err)};
}

TCompletion Complete(const QStringList& words, const QString& workDir) {
    return Complete(QStringLiteral(VT_COMPLETION), words, workDir);
}

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A folder of a user's files: labels, a template, data, a subfolder.
class Completion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"boxes.lbl", "Shelf.LBL", "sheet.lbf", "orders.csv", "notes.txt"})
            Touch(m_dir.filePath(name));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir("archive"));
    }
    QString Dir() const { return m_dir.path(); }

    // A folder holding only an lpstat that answers with the given script body.
    QString FakeLpstat(const QByteArray& body) {
        const QString bin = m_dir.filePath("bin");
        QDir().mkpath(bin);
        QFile script(bin + "/lpstat");
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + body);
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
        return bin;
    }

private:
    QTemporaryDir m_dir;
};
} // namespace

TEST_F(Completion, OffersEverySwitchOfTheHelp) {
    EXPECT_EQ(Complete({"--th"}, Dir()).Offers, QStringList{"--threads"});
    QStringList all = SwitchesNamedIn(CommandLineHelp());
    all.sort();
    EXPECT_EQ(Complete({"-"}, Dir()).Offers, all);
    EXPECT_EQ(Complete({"boxes.lbl", "-p", "--no-r"}, Dir()).Offers, QStringList{"--no-read-back"});
}

TEST_F(Completion, ASwitchAddedToTheHelpIsOffered) {
    QFile file(QStringLiteral(VT_MANUAL_DATA "/vellumtrace.bash.in"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString help = HelpWithAddedSwitches(CommandLineHelp());
    const QString script = QDir(Dir()).filePath("completion");
    QFile out(script);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(ShellCompletion(QString::fromUtf8(file.readAll()), help).toUtf8());
    out.close();

    EXPECT_EQ(Complete(script, {"--frob"}, Dir()).Offers, QStringList{"--frobnicate"});
    EXPECT_EQ(Complete(script, {"--rearr"}, Dir()).Offers, QStringList{"--rearrange-everything"});
    // Both take a value of the user's own: nothing is offered for it.
    EXPECT_TRUE(Complete(script, {"--frobnicate", ""}, Dir()).Offers.isEmpty());
    EXPECT_TRUE(Complete(script, {"--rearrange-everything", ""}, Dir()).Offers.isEmpty());
}

TEST_F(Completion, TheFirstWordIsALabelOrATemplate) {
    EXPECT_EQ(Complete({""}, Dir()).Offers,
              (QStringList{"Shelf.LBL", "archive", "boxes.lbl", "sheet.lbf"}));
    EXPECT_EQ(Complete({"b"}, Dir()).Offers, QStringList{"boxes.lbl"});
    EXPECT_TRUE(Complete({"o"}, Dir()).Offers.isEmpty());
}

TEST_F(Completion, DataAndOutputAreAnyFile) {
    const QStringList everything{"Shelf.LBL", "archive",    "boxes.lbl",
                                 "notes.txt", "orders.csv", "sheet.lbf"};
    EXPECT_EQ(Complete({"boxes.lbl", "-p", "-i", "o"}, Dir()).Offers, QStringList{"orders.csv"});
    EXPECT_EQ(Complete({"boxes.lbl", "-p", "-I", ""}, Dir()).Offers, everything);
    EXPECT_EQ(Complete({"boxes.lbl", "-p", "-o", ""}, Dir()).Offers, everything);
}

TEST_F(Completion, PrintersComeFromThePrintSystem) {
    const QString bin = FakeLpstat("printf 'Office_Laser\\nWarehouse_Zebra\\n'\n");
    const QString path = bin + ":" + qEnvironmentVariable("PATH");
    EXPECT_EQ(Complete(VT_COMPLETION, {"boxes.lbl", "-p", "-d", ""}, Dir(), path).Offers,
              (QStringList{"Office_Laser", "Warehouse_Zebra"}));
    EXPECT_EQ(Complete(VT_COMPLETION, {"boxes.lbl", "-p", "-d", "W"}, Dir(), path).Offers,
              QStringList{"Warehouse_Zebra"});
}

TEST_F(Completion, NoPrintSystemGivesNothingAndNoError) {
    const QString empty = QDir(Dir()).filePath("archive");
    const TCompletion missing = Complete(VT_COMPLETION, {"boxes.lbl", "-d", ""}, Dir(), empty);
    EXPECT_TRUE(missing.Offers.isEmpty()) << missing.Offers.join(' ').toStdString();
    EXPECT_TRUE(missing.Errors.isEmpty()) << missing.Errors.toStdString();

    const QString failing = FakeLpstat("echo 'lpstat: No destinations added.' >&2\nexit 1\n");
    const TCompletion failed = Complete(VT_COMPLETION, {"boxes.lbl", "-d", ""}, Dir(), failing);
    EXPECT_TRUE(failed.Offers.isEmpty()) << failed.Offers.join(' ').toStdString();
    EXPECT_TRUE(failed.Errors.isEmpty()) << failed.Errors.toStdString();
}

TEST_F(Completion, TheHelpsFixedWordsAreOffered) {
    const QString help = CommandLineHelp();
    const auto words = [&](const QStringList& typed) {
        const QStringList offers = Complete(QStringList{"boxes.lbl", "-p"} + typed, Dir()).Offers;
        for (const QString& word : offers)
            EXPECT_TRUE(help.contains(word)) << word.toStdString();
        return offers;
    };
    EXPECT_EQ(words({"--encoding", ""}), (QStringList{"utf-16", "utf-8", "windows-1252"}));
    EXPECT_EQ(words({"-r", ""}), QStringList{"ALL"});
    EXPECT_EQ(words({"-r", "20", ""}), (QStringList{"LABELS", "PAGES"}));
    EXPECT_EQ(words({"-s", "n"}), QStringList{"next"});
    EXPECT_EQ(words({"--delimiter", ""}), QStringList{"tab"});
    EXPECT_EQ(words({"--QUOTE", ""}), QStringList{"none"});
}

TEST_F(Completion, NothingIsOfferedForANumber) {
    for (const char* sw : {"-c", "--threads", "--dpi", "--copies-field"})
        EXPECT_TRUE(Complete({"boxes.lbl", "-p", sw, ""}, Dir()).Offers.isEmpty()) << sw;
}
