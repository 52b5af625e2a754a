#include "app/HelpText.h"

#include "platform/Errors.h"

#include <algorithm>

namespace {
constexpr int32_t kSwitchIndent = 2;

int32_t Indent(const QString& line) {
    int32_t n = 0;
    while (n < line.size() && line[n] == u' ')
        ++n;
    return n;
}

bool IsSwitchLine(const QString& line) {
    return Indent(line) == kSwitchIndent && line.size() > kSwitchIndent + 1 &&
           line[kSwitchIndent] == u'-';
}

// The column the descriptions start in: where their wrapped lines are indented to.
int32_t DescriptionColumn(const QStringList& lines) {
    int32_t column = 0;
    for (const QString& line : lines)
        if (const int32_t indent = Indent(line); indent > kSwitchIndent && indent < line.size())
            column = column == 0 ? indent : std::min(column, indent);
    return column;
}

THelpSwitch SwitchFrom(const QString& line, int32_t column) {
    // A term as wide as the column or wider stands alone; its description follows below.
    const bool termAlone = column == 0 || line.size() <= column || line[column - 1] != u' ';
    const QString term = (termAlone ? line : line.left(column)).trimmed();
    THelpSwitch sw;
    const int32_t space = term.indexOf(u' ');
    sw.Name = space < 0 ? term : term.left(space);
    sw.Argument = space < 0 ? QString() : term.mid(space + 1).trimmed();
    if (!termAlone)
        sw.Description = line.mid(column).trimmed();
    return sw;
}

void Append(QString& text, const QString& more) {
    if (!text.isEmpty())
        text += u' ';
    text += more.trimmed();
}

// Lines into paragraphs: a blank line or a line ending a sentence closes one.
QStringList Paragraphs(const QStringList& lines) {
    QStringList paragraphs;
    QString current;
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            Append(current, line);
        if ((line.trimmed().isEmpty() || line.trimmed().endsWith(u'.')) && !current.isEmpty()) {
            paragraphs << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        paragraphs << current;
    return paragraphs;
}
} // namespace

THelpText ParseHelpText(const QString& help) {
    const QStringList lines = help.split(u'\n');
    THelpText text;
    int32_t i = 0;
    while (i < lines.size() && lines[i].trimmed().isEmpty())
        ++i;
    const QLatin1String usage("Usage:");
    if (i == lines.size() || !lines[i].startsWith(usage))
        throw TUserError(QStringLiteral("The help text does not start with \"Usage:\"."));
    text.Usage = lines[i++].mid(usage.size()).trimmed();

    QStringList lead;
    while (i < lines.size() && !IsSwitchLine(lines[i]))
        lead << lines[i++];
    text.Lead = Paragraphs(lead);

    QStringList block;
    while (i < lines.size() && !lines[i].trimmed().isEmpty())
        block << lines[i++];
    const int32_t column = DescriptionColumn(block);
    for (const QString& line : block) {
        if (IsSwitchLine(line))
            text.Switches.push_back(SwitchFrom(line, column));
        else if (!text.Switches.empty())
            Append(text.Switches.back().Description, line);
    }
    if (text.Switches.empty())
        throw TUserError(QStringLiteral("The help text names no switches."));

    const QLatin1String exitStatus("Exit status:");
    QStringList closing, status;
    for (; i < lines.size(); ++i) {
        if (lines[i].startsWith(exitStatus))
            status << lines[i].mid(exitStatus.size());
        else
            (status.isEmpty() ? closing : status) << lines[i];
    }
    text.Closing = Paragraphs(closing);
    text.ExitStatus = Paragraphs(status);
    return text;
}

QStringList SwitchNames(const THelpText& help) {
    QStringList names;
    for (const THelpSwitch& sw : help.Switches)
        if (!names.contains(sw.Name))
            names << sw.Name;
    return names;
}

QStringList SwitchesWithValue(const THelpText& help) {
    QStringList names;
    for (const THelpSwitch& sw : help.Switches)
        if (!sw.Argument.isEmpty() && !names.contains(sw.Name))
            names << sw.Name;
    return names;
}
