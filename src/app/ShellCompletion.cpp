#include "app/ShellCompletion.h"

#include "app/HelpText.h"
#include "app/Placeholders.h"

#include <QStringList>

QString ShellCompletion(const QString& bashTemplate, const QString& help) {
    const THelpText text = ParseHelpText(help);
    return FillPlaceholders(
        bashTemplate,
        {{QStringLiteral("SWITCHES"), SwitchNames(text).join(u' ')},
         {QStringLiteral("VALUE_SWITCHES"), SwitchesWithValue(text).join(u' ')}},
        QStringLiteral("The completion template"));
}
