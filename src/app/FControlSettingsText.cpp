#include "app/FControlSettings.h"
#include "app/PaletteShared.h"
#include "app/PaletteTexts.h"
#include "document/KindRegistry.h"
#include "document/lblobjs.h"

#include <QCheckBox>

namespace {
bool ShrinksText(const TLabelControl& c) {
    return c.Kind() == ckText || c.Kind() == ckMemo;
}
} // namespace

QCheckBox* TFControlSettings::BuildShrinkToFit() {
    m_cbShrinkToFit = new QCheckBox(QString::fromUtf8(PaletteText::ShrinkToFit));
    m_cbShrinkToFit->setObjectName(QStringLiteral("cbShrinkToFit"));
    m_cbShrinkToFit->setToolTip(QString::fromUtf8(PaletteText::ShrinkToFitHint));
    m_cbShrinkToFit->setEnabled(false);
    connect(m_cbShrinkToFit, &QCheckBox::clicked, this, &TFControlSettings::ShrinkToFitClicked);
    return m_cbShrinkToFit;
}

std::vector<TLabelControl*> TFControlSettings::TextTargets() const {
    std::vector<TLabelControl*> texts;
    for (TLabelControl* c : Targets())
        if (ShrinksText(*c))
            texts.push_back(c);
    return texts;
}

void TFControlSettings::FillShrinkToFit() {
    const std::vector<TLabelControl*> texts = TextTargets();
    m_cbShrinkToFit->setEnabled(!texts.empty());
    ShowShared(m_cbShrinkToFit, texts.empty() ? std::optional(false)
                                              : SharedValue(texts, [](const TLabelControl& c) {
                                                    return c.ShrinkToFit();
                                                }));
}

void TFControlSettings::ShrinkToFitClicked() {
    // A box that showed texts differing goes on for all of them at the first click.
    m_cbShrinkToFit->setTristate(false);
    const bool on = m_cbShrinkToFit->checkState() != Qt::Unchecked;
    m_cbShrinkToFit->setChecked(on);
    bool changed = false;
    for (TLabelControl* c : TextTargets())
        if (c->ShrinkToFit() != on) {
            c->SetShrinkToFit(on);
            changed = true;
        }
    if (changed)
        RaiseEdited();
}
