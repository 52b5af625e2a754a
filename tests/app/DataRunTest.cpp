#include "MergeTestFiles.h"
#include "PdfProbe.h"
#include "PostgresServer.h"
#include "ProgramRun.h"
#include "SheetTestFiles.h"
#include "TestSupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

// How unattended runs read their data: with the settings the label keeps, with the switches of
// the run, and with what the file itself says of its separator.

namespace {
bool WriteFile(const QString& path, const QByteArray& bytes) {
    return !WriteBytes(path, bytes).isEmpty();
}

// Twelve 2 x 1 in labels to a page, each printing field 1, an underscore and field 2 as one word.
const QByteArray kTwoFieldLabel =
    "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=4\r\nCONTROLS=1\r\n"
    "[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation Sans\r\n"
    "FONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=3\r\nADVTYPE_1=FIELD\r\nADVNUM_1=1\r\n"
    "ADVTYPE_2=TEXT\r\nADVTXT_2=_\r\nADVTYPE_3=FIELD\r\nADVNUM_3=2\r\n";

class DataRunTest : public ::testing::Test {
protected:
    TScratchFolder scratch;
    // The label, with a [DATA] section of its own when data is given.
    QString Label(const QByteArray& data = {}) {
        const QString path = scratch.File("two.lbl");
        EXPECT_TRUE(WriteFile(path, kTwoFieldLabel + data));
        return path;
    }
    QString Data(const char* name, const QByteArray& bytes) {
        const QString path = scratch.File(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    // The printed words of a run of label over data with the extra switches.
    QStringList Printed(const QString& label, const QString& data, const QStringList& extra = {},
                        const QProcessEnvironment& env = {}) {
        const QString out = scratch.File("out.pdf");
        QFile::remove(out);
        const QStringList args =
            QStringList{label, "-p", "-i", data, "-o", out, "--no-save"} + extra;
        last = env.isEmpty() ? Vellumtrace(args, scratch.Path())
                             : RunProgram(args, scratch.Path(), env);
        QStringList words;
        if (last.Exit == 0)
            for (const TPdfWord& w : PdfWords(out))
                words << w.Text;
        return words;
    }
    TRun last;
};
} // namespace

TEST_F(DataRunTest, TheLabelsOwnSettingsReadItsData) {
    const QString data = Data("people.txt", "Ann;Leeds\r\nBob;York\r\n");
    // By the extension alone a .txt file is cut at tabs and has a header line, so the one
    // record left is a single field.
    EXPECT_EQ(Printed(Label(), data), (QStringList{"Bob;York_"}));
    EXPECT_EQ(Printed(Label("[DATA]\r\nFORMAT=CUSTOM\r\nSEPARATOR=;\r\nHEADER=0\r\n"), data),
              (QStringList{"Ann_Leeds", "Bob_York"}));
    EXPECT_EQ(last.Err, QString());
    // Fixed columns kept with the label.
    const QString fixed = Data("people.prn", "Ann  Leeds\r\nBob  York\r\n");
    EXPECT_EQ(Printed(Label("[DATA]\r\nFORMAT=FIXED\r\nCOLUMNS=5,5\r\nHEADER=0\r\n"), fixed),
              (QStringList{"Ann_Leeds", "Bob_York"}));
}

TEST_F(DataRunTest, SwitchesOverrideTheSettingsForOneRun) {
    const QString label = Label("[DATA]\r\nFORMAT=CUSTOM\r\nSEPARATOR=;\r\nHEADER=0\r\n");
    const QString pipes = Data("people.txt", "Name|Town\r\n~Ann|Lee~|Leeds\r\n");
    EXPECT_EQ(Printed(label, pipes, {"--delimiter", "|", "--header", "--quote", "~"}),
              (QStringList{"Ann|Lee_Leeds"}));
    EXPECT_EQ(Printed(label, pipes, {"--delimiter", "|", "--header", "--quote", "none"}),
              (QStringList{"~Ann_Lee~"}));
    const QString fixed = Data("people.dat", "Ann  Leeds\r\n");
    EXPECT_EQ(Printed(label, fixed, {"--fixed", "5,5"}), (QStringList{"Ann_Leeds"}));
    const QString latin = Data("latin.txt", "Zo\xC3\xAB;1\r\n");
    EXPECT_EQ(Printed(label, latin), (QStringList{"Zo\u00EB_1"}));
    EXPECT_EQ(Printed(label, latin, {"--encoding", "windows-1252"}),
              (QStringList{"Zo\u00C3\u00AB_1"}));
    // The label file keeps its settings: the switches were for that run only.
    EXPECT_EQ(Printed(label, pipes), (QStringList{"Name|Town_", "~Ann|Lee~|Leeds_"}));

    // A value the switch does not take stops the run before anything prints.
    EXPECT_TRUE(Printed(label, pipes, {"--delimiter", "semi"}).isEmpty());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_TRUE(last.Err.contains("--delimiter needs one character")) << last.Err.toStdString();
    EXPECT_FALSE(QFile::exists(scratch.File("out.pdf")));
}

TEST_F(DataRunTest, SemicolonCsvIsReadWithItsSeparatorAndSaidSo) {
    const QString data = Data("people.csv", "Name;Town\r\nAnn;Leeds\r\nBob;York\r\n");
    EXPECT_EQ(Printed(Label(), data), (QStringList{"Ann_Leeds", "Bob_York"}));
    EXPECT_EQ(last.Err, QString("vellumtrace: note: the first line of the data file %1 has "
                                "semicolons but no comma; reading it with the semicolon as the "
                                "separator (--delimiter , reads it with commas).\n")
                            .arg(data));
    const QString tabs = Data("tabs.csv", "Name\tTown\r\nAnn\tLeeds\r\n");
    EXPECT_EQ(Printed(Label(), tabs), (QStringList{"Ann_Leeds"}));
    EXPECT_TRUE(last.Err.contains("reading it with the tab")) << last.Err.toStdString();

    // Said otherwise, the run reads as told and says nothing.
    EXPECT_EQ(Printed(Label(), data, {"--delimiter", ","}),
              (QStringList{"Ann;Leeds_", "Bob;York_"}));
    EXPECT_EQ(last.Err, QString());
    EXPECT_EQ(Printed(Label("[DATA]\r\nFORMAT=COMMA\r\n"), data),
              (QStringList{"Ann;Leeds_", "Bob;York_"}));
    EXPECT_EQ(last.Err, QString());
}

TEST_F(DataRunTest, SepLineAndUtf16FilesPrintTheirRecords) {
    const QString sep = Data("people.csv", "sep=;\r\nName;Town\r\nAnn;Leeds\r\n");
    EXPECT_EQ(Printed(Label(), sep), (QStringList{"Ann_Leeds"}));
    EXPECT_EQ(last.Err, QString());

    const QString text = "Name\tTown\r\nZo\u00EB\t\u00C5re\r\n";
    QByteArray little("\xFF\xFE"), big("\xFE\xFF");
    for (const QChar c : text) {
        little += char(c.unicode() & 0xFF), little += char(c.unicode() >> 8);
        big += char(c.unicode() >> 8), big += char(c.unicode() & 0xFF);
    }
    EXPECT_EQ(Printed(Label(), Data("le.txt", little)), (QStringList{"Zo\u00EB_\u00C5re"}));
    EXPECT_EQ(Printed(Label(), Data("be.txt", big)), (QStringList{"Zo\u00EB_\u00C5re"}));
}

// A label whose first field goes by the column "Name" and second by number.
const QByteArray kNamedField =
    QByteArray(kTwoFieldLabel).replace("ADVNUM_1=1\r\n", "ADVNUM_1=1\r\nADVNAME_1=Name\r\n");

TEST_F(DataRunTest, SheetsPrintTheirRowsAndFieldsFindTheirColumnsByName) {
    const QByteArray rows =
        "<row r=\"1\"><c t=\"inlineStr\"><is><t>Town</t></is></c><c t=\"inlineStr\"><is>"
        "<t>Name</t></is></c></row>"
        "<row r=\"2\"><c t=\"inlineStr\"><is><t>Leeds</t></is></c><c t=\"inlineStr\"><is>"
        "<t>Ann</t></is></c></row>"
        "<row r=\"3\"><c><v>0.30000000000000004</v></c><c t=\"inlineStr\"><is><t>Bob</t></is>"
        "</c></row>";
    const QString book =
        WriteZip(scratch.File("people.xlsx"),
                 XlsxParts({{"Notes", "<row><c t=\"inlineStr\"><is><t>x</t></is></c></row>"},
                            {"People", rows}}));
    ASSERT_FALSE(book.isEmpty());
    const QString label = scratch.File("named.lbl");
    ASSERT_TRUE(WriteFile(label, kNamedField));
    // "Name" is the second column here: the name wins over the number.
    EXPECT_EQ(Printed(label, book, {"--table", "People"}), (QStringList{"Ann_Ann", "Bob_Bob"}));
    EXPECT_EQ(Printed(Label(), book, {"--table", "people"}), (QStringList{"Leeds_Ann", "0.3_Bob"}));
    EXPECT_EQ(Printed(Label(), book), QStringList());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_TRUE(last.Err.contains("holds no records")) << last.Err.toStdString();
    EXPECT_EQ(Printed(Label(), book, {"--table", "Nope"}), QStringList());
    EXPECT_TRUE(last.Err.contains("\"Notes\", \"People\"")) << last.Err.toStdString();
}

TEST_F(DataRunTest, SqliteQueryRowsPrintInQueryOrder) {
    const QString file = scratch.File("shop.sqlite");
    {
        const QString connection = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec("CREATE TABLE orders (id INTEGER, town TEXT, name TEXT, "
                               "shipped INTEGER)"));
            ASSERT_TRUE(q.exec("INSERT INTO orders VALUES (1, 'Leeds', 'Ann', 0), (2, NULL, "
                               "'Bob', 0), (3, 'York', 'Cy', 1)"));
        }
        QSqlDatabase::removeDatabase(connection);
    }
    EXPECT_EQ(Printed(Label(), file,
                      {"--query", "SELECT name, town FROM orders WHERE shipped = 0 ORDER BY id"}),
              (QStringList{"Ann_Leeds", "Bob_"}));
    // The query's columns are the names, and no row is taken for a header.
    const QString label = scratch.File("named.lbl");
    ASSERT_TRUE(WriteFile(label, kNamedField));
    EXPECT_EQ(Printed(label, file, {"--table", "orders"}),
              (QStringList{"Ann_Leeds", "Bob_", "Cy_York"}));
    // Kept with the label, the query needs no switch.
    EXPECT_EQ(Printed(Label("[DATA]\r\nQUERY_PIECES=1\r\nQUERY_1=SELECT\\sid,name\\sFROM\\s"
                            "orders\r\n"),
                      file),
              (QStringList{"1_Ann", "2_Bob", "3_Cy"}))
        << last.Err.toStdString();
    EXPECT_EQ(Printed(Label(), file, {"--query", "SELECT nothing FROM orders"}), QStringList());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_TRUE(last.Err.startsWith(QString("vellumtrace: The query on the database")))
        << last.Err.toStdString();
    EXPECT_TRUE(last.Err.contains("nothing")) << last.Err.toStdString();
    EXPECT_FALSE(QFile::exists(scratch.File("out.pdf")));
}

// A real server: the password comes from the environment, never the command line.
TEST_F(DataRunTest, PostgresQueryRowsPrintWithThePasswordFromTheEnvironment) {
    if (TPostgresServer::ProgramFolder().isEmpty())
        GTEST_SKIP() << "the PostgreSQL server programs are not installed";
    TPostgresServer server;
    QString error;
    ASSERT_TRUE(server.Start(error) &&
                server.Execute("postgres",
                               {"CREATE ROLE clerk LOGIN PASSWORD 'Pa55-word'",
                                "CREATE DATABASE depot OWNER clerk"},
                               error) &&
                server.Execute("depot",
                               {"CREATE TABLE orders (id int, name text, town text)",
                                "INSERT INTO orders SELECT n, 'N' || n, CASE WHEN n % 2 = 0 "
                                "THEN 'T' || n END FROM generate_series(1, 30) n",
                                "GRANT SELECT ON orders TO clerk"},
                               error))
        << error.toStdString();
    const QString address = server.Address("clerk", "depot");
    QProcessEnvironment env = ProgramEnvironment(scratch.Path());
    env.insert("PGPASSWORD", "Pa55-word");
    env.remove("PGPASSFILE");
    const QStringList words =
        Printed(Label(), address,
                {"--query", "SELECT name, town FROM orders WHERE id <= 4 ORDER BY id"}, env);
    EXPECT_EQ(words, (QStringList{"N1_", "N2_T2", "N3_", "N4_T4"})) << last.Err.toStdString();

    env.insert("PGPASSWORD", "wrong");
    EXPECT_EQ(Printed(Label(), address, {"--table", "orders"}, env), QStringList());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_TRUE(last.Err.contains("Cannot connect to the database")) << last.Err.toStdString();
    EXPECT_TRUE(last.Err.contains("password authentication failed")) << last.Err.toStdString();
    EXPECT_FALSE(last.Err.contains("wrong"));
}
