#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The numbers n from 1 to last, ascending, for which names holds prefix followed by n in plain
// decimal (matched without regard to case). Reading "CNT_1" .. "CNT_" + CONTROLS this way visits
// only what the file holds, so an absurd count costs nothing.
std::vector<int32_t> NumberedNames(const QStringList& names, const QString& prefix, int32_t last);
