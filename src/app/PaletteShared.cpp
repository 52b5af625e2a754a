#include "app/PaletteShared.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

void ShowShared(QComboBox* list, std::optional<int> index) {
    list->setCurrentIndex(index ? *index : -1);
}

void ShowShared(QButtonGroup* group, std::optional<int> id) {
    if (QAbstractButton* button = id ? group->button(*id) : nullptr) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never lets its last button go on its own.
    const bool exclusive = group->exclusive();
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(exclusive);
}

void ShowShared(QCheckBox* box, std::optional<bool> checked) {
    box->setTristate(!checked);
    box->setCheckState(!checked ? Qt::PartiallyChecked : *checked ? Qt::Checked : Qt::Unchecked);
}

void ShowShared(QAbstractButton* on, QAbstractButton* off, std::optional<bool> isOn) {
    if (isOn) {
        (*isOn ? on : off)->setChecked(true);
        return;
    }
    for (QAbstractButton* b : {on, off}) {
        const bool exclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(exclusive);
    }
}

void ShowShared(QLineEdit* field, const std::optional<QString>& text) {
    field->setText(text ? *text : QString());
}
