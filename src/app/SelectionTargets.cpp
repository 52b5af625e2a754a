#include "app/SelectionTargets.h"

#include "document/LabelDocument.h"

std::vector<TLabelControl*> CommandTargets(const TLabelDocument& document,
                                           bool TCommandStates::*applies) {
    std::vector<TLabelControl*> targets;
    const TLabelControl* first = document.Selection();
    for (TLabelControl* c : document.SelectedControls())
        if (c == first || CommandStatesFor(c, true).*applies)
            targets.push_back(c);
    return targets;
}

QString SharedText(const TLabelDocument& document) {
    const std::vector<TLabelControl*> targets = CommandTargets(document, &TCommandStates::TextBox);
    if (targets.empty())
        return QString();
    const QString text = targets.front()->GetText();
    for (const TLabelControl* c : targets)
        if (c->GetText() != text)
            return QString();
    return text;
}

std::optional<QFont> SharedFont(const TLabelDocument& document) {
    const std::vector<TLabelControl*> targets =
        CommandTargets(document, &TCommandStates::SelectFont);
    if (targets.empty())
        return std::nullopt;
    const QFont font = targets.front()->Font();
    for (const TLabelControl* c : targets)
        if (c->Font() != font)
            return std::nullopt;
    return font;
}
