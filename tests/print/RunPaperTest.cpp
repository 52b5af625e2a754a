#include "platform/Errors.h"
#include "platform/PaperChoice.h"
#include "print/CommandLine.h"

#include <gtest/gtest.h>

namespace {
TPaperChoice Paper(const char* text, bool landscape = false) {
    TPaperChoice paper;
    EXPECT_TRUE(ParsePaper(text, paper));
    paper.Landscape = landscape;
    return paper;
}

TPaperChoice PaperOfRun(const QStringList& args, const TPaperChoice& label) {
    return RunPaper(ParseCommandLine(QStringList{"vellumtrace", "label.lbl", "-p"} + args), label);
}
} // namespace

TEST(RunPaper, SwitchReplacesTheLabelsPaperForTheRun) {
    const TPaperChoice across = Paper("Letter", true);
    EXPECT_EQ(PaperOfRun({}, across), across) << "without --paper the label's own";
    EXPECT_EQ(PaperOfRun({}, {}), TPaperChoice()) << "and none when the label has none";
    EXPECT_EQ(PaperOfRun({"--PAPER", "a4"}, across), Paper("A4", true))
        << "a name keeps the orientation";
    EXPECT_EQ(PaperOfRun({"--paper", "A5"}, {}), Paper("A5"));
    EXPECT_EQ(PaperOfRun({"--paper", "4x6in"}, across), Paper("4x6in")) << "a size lies as given";
    EXPECT_EQ(PaperOfRun({"--paper", "6x4in"}, {}), Paper("4x6in", true));
    EXPECT_TRUE(CommandLineHelp().contains("--paper PAPER"));
}

TEST(RunPaper, SwitchWithoutAPaperIsAnError) {
    for (const QStringList& args : {QStringList{"--paper"}, QStringList{"--paper", "big"}}) {
        try {
            PaperOfRun(args, {});
            ADD_FAILURE() << args.join(' ').toStdString();
        } catch (const TUserError& e) {
            EXPECT_TRUE(e.Message().contains("A4")) << e.Message().toStdString();
        }
    }
}

TEST(RunPaper, FallbackWarningNamesBothPapers) {
    EXPECT_EQ(PaperFallbackWarning("Shelf", Paper("6x4in", true), Paper("A4")),
              "The printer Shelf has no 6 \u00d7 4 in paper; printing on its own paper, "
              "A4.");
    EXPECT_EQ(PaperFallbackWarning("Shelf", Paper("Legal", true), {}),
              "The printer Shelf has no Legal landscape paper; printing on its own "
              "paper.");
}
