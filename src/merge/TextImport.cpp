#include "merge/TextImport.h"

TTextImportSettings& TextImportSettings() {
    static TTextImportSettings settings;
    return settings;
}

void FormatFromExtension(const QString& fileName) {
    FormatFromExtension(TextImportSettings(), fileName, QStringList());
}
