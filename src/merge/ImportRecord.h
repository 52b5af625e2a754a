#pragma once

#include <QStringList>

// The fields of one data line in order; index 0 holds field number 1.
using TImportRecord = QStringList;
