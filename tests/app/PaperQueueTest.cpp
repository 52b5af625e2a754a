// The label's paper on a printer of the system: a private print server with one queue whose tray
// holds Letter and A4 only. Skipped where no private server can be started.
#include "PrivateCups.h"
#include "ProgramRun.h"
#include "TestSupport.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"

#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {
const char* const kPpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "SMALL.PPD"
*Manufacturer: "Test"
*Product: "(Small Tray)"
*ModelName: "Small Tray"
*ShortNickName: "Small Tray"
*NickName: "Small Tray"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea Letter/US Letter: "18 36 594 756"
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
)PPD";

// A run in the C locale on the private print server.
TRun Print(const QStringList& args, const QString& workDir, const QString& server) {
    QProcessEnvironment env = ProgramEnvironment(workDir, server);
    env.remove("PAPERSIZE");
    env.insert("LC_ALL", "C");
    return RunProgram(args, workDir, env);
}

class PaperQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_cups = std::make_unique<TPrivateCups>(m_scratch.File("cups"));
        if (!m_cups->Running())
            GTEST_SKIP() << "no private print server: " << m_cups->Why().toStdString();
        const QString ppd = m_scratch.File("small.ppd");
        QFile file(ppd);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kPpd);
        file.close();
        bool added = false;
        m_cups->Tool("lpadmin", {"-p", "SmallTray", "-E", "-v", "file:///dev/null", "-P", ppd},
                     &added);
        ASSERT_TRUE(added);
    }

    // A label of 2 × 1 in labels whose one text control says "Tray", on paper.
    QString Label(const char* name, const char* paper) {
        TSheetSettings sheet;
        EXPECT_TRUE(ParsePaper(paper, sheet.Paper));
        TLabelDocument label;
        label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
        auto text = std::make_unique<TTextLabel>();
        text->SetText("Tray");
        label.AddControl(std::move(text));
        for (const auto& c : label.Controls())
            c->SetLoading(false);
        const QString path = m_scratch.File(name);
        label.SetSheet(sheet);
        WriteLabelDescription(path, label);
        return path;
    }
    TRun PrintOnTray(const QString& label, const QStringList& more = {}) {
        return Print(QStringList{label, "-p", "-d", "SmallTray"} + more, m_scratch.Path(),
                     m_cups->Server());
    }
    // The attributes of job n as the scheduler keeps them (its control file, written a moment
    // after the job came in), for the media the job asked for.
    QByteArray Job(int n) const {
        const QString path = m_scratch.File(QString("cups/spool/c%1").arg(n, 5, 10, QChar('0')));
        for (int i = 0; i < 200 && !QFile::exists(path); ++i)
            QThread::msleep(50);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TScratchFolder m_scratch;
    std::unique_ptr<TPrivateCups> m_cups;
};

TEST_F(PaperQueueTest, QueueGetsTheLabelsPaperOrItsOwnWithAWarning) {
    TRun r = PrintOnTray(Label("letter.lbl", "Letter"));
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_FALSE(r.Err.contains("warning")) << r.Err.toStdString();
    QByteArray job = Job(1);
    EXPECT_TRUE(job.contains("media") && job.contains("Letter")) << "the job asks for Letter";

    r = PrintOnTray(Label("legal.lbl", "Legal"));
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("warning: the printer SmallTray has no Legal paper; printing on "
                               "its own paper, A4."))
        << r.Err.toStdString();
    job = Job(2);
    EXPECT_FALSE(job.contains("Legal"));
    EXPECT_FALSE(job.contains("Letter"));

    r = PrintOnTray(Label("legal2.lbl", "Legal"), {"--paper", "A4"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_FALSE(r.Err.contains("warning")) << r.Err.toStdString();
    EXPECT_TRUE(Job(3).contains("A4"));
}
} // namespace
