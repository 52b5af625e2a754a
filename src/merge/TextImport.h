#pragma once

// The import settings a print run cuts its data file's lines with. Unattended runs choose them
// by the data file's extension; a designer print hands over those of its session's data import
// (DataImport.h) before the run.

#include "merge/TextImportSettings.h"

#include <QString>

TTextImportSettings& TextImportSettings();

// Chooses the run's format by the data file's extension; a fixed field file starts from one
// default column, as no preview was read.
void FormatFromExtension(const QString& fileName);
