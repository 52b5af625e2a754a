#pragma once

#include "platform/Calibration.h"

#include <QString>

#include <optional>

// A run's calibration: the printer's stored one, with --offset X,Y (lengths in inches, or each
// with mm, cm or in) and --scale X,Y (percent) over it when given. Throws TUserError, saying
// what is wrong, for a value that is not two such numbers or lies outside the limits.
TCalibration RunCalibration(const std::optional<QString>& offset,
                            const std::optional<QString>& scale, const TCalibration& stored);
