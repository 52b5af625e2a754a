#pragma once

#include <QString>

#include <utility>
#include <vector>

// Fills each @NAME@ of a template with its value. Every given placeholder must occur and none
// may be left: a template and its generator that disagree fail the build rather than drop a
// part of the output. Throws TUserError naming the template.
QString FillPlaceholders(QString text, const std::vector<std::pair<QString, QString>>& values,
                         const QString& templateName);
