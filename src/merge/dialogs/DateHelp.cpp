#include "merge/dialogs/DateHelp.h"

#include "merge/dialogs/MergeDialogTexts.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <array>

namespace {
// The width of the specifier column, in characters.
constexpr int kSpecifierColumn = 11;
constexpr int kWidth = 455;
constexpr int kHeight = 300;

struct THelpEntry {
    const char* Specifier;
    const char* Description;
    const char* Continued; // the rest of a description too long for one line, or nullptr
};

// What FormatDateTimeText understands, in the order the help lists it.
const std::array<THelpEntry, 21> kEntries = {{
    {"\"d\"", "Displays the day as a number without a leading", "zero (1-31)."},
    {"\"dd\"", "Displays the day as a number with a leading", "zero (01-31)."},
    {"\"ddd\"", "Displays the day as an abbreviation (Sun-Sat).", nullptr},
    {"\"dddd\"", "Displays the day as a full name (Sunday-Saturday).", nullptr},
    {"\"m\"", "Displays the month as a number without a leading", "zero (1-12)."},
    {"\"mm\"", "Displays the month as a number with a leading", "zero (01-12)."},
    {"\"mmm\"", "Displays the month as an abbreviation (Jan-Dec).", nullptr},
    {"\"mmmm\"", "Displays the month as a full name (January-", "December)"},
    {"\"yy\"", "Displays the year as a two-digit number (00-99).", nullptr},
    {"\"yyyy\"", "Displays the year as a four-digit number (0000-", "9999)."},
    {"\"h\"", "Displays the hour without a leading zero (0-23).", nullptr},
    {"\"hh\"", "Displays the hour with a leading zero (00-23).", nullptr},
    {"\"n\"", "Displays the minute without a leading zero (0-59).", nullptr},
    {"\"nn\"", "Displays the minute with a leading zero (00-59).", nullptr},
    {"\"s\"", "Displays the second without a leading zero (0-59).", nullptr},
    {"\"ss\"", "Displays the second with a leading zero (00-59).", nullptr},
    {"\"am\"/\"pm\"", "Uses the 12-hour clock for the preceding h or hh", "specifier."},
    {"\"a\"/\"p\"", "Uses the 12-hour clock for the preceding h or hh", "specifier."},
    {"\"ampm\"", "Displays the 12-hour clock specifier am or pm.", nullptr},
    {"\"/\"", "Displays the date separator character.", nullptr},
    {"\":\"", "Displays the time separator character.", nullptr},
}};

const char* const kHeading[] = {"Date Format Specifiers", "Specifier  Displays",
                                "=========  ========"};
} // namespace

QStringList DateHelpLines() {
    QStringList lines;
    for (const char* line : kHeading)
        lines << QString::fromLatin1(line);
    for (const THelpEntry& entry : kEntries) {
        lines << QString::fromLatin1(entry.Specifier).leftJustified(kSpecifierColumn) +
                     QString::fromLatin1(entry.Description);
        if (entry.Continued)
            lines << QString(kSpecifierColumn, u' ') + QString::fromLatin1(entry.Continued);
    }
    return lines;
}

TFDateHelp::TFDateHelp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFDateHelp"));
    setWindowTitle(QString::fromLatin1(MergeDialogText::DateHelpCaption));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    resize(kWidth, kHeight);

    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("mHelp"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont face(QStringLiteral("Courier New"), 8);
    face.setStyleHint(QFont::Monospace);
    text->setFont(face);
    text->setPlainText(DateHelpLines().join(u'\n'));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
}
