# The control settings palette (vt_palette): its window, the caption it draws itself, and the
# rules behind it (docking, bar width steps, image scale, the owner-drawn lists), kept apart so
# that tests drive them without a main window.
vt_add_library(vt_palette
  SOURCES
    BarWidth.cpp
    FControlSettings.cpp
    FControlSettingsBoxes.cpp
    FControlSettingsPages.cpp
    FControlSettingsText.cpp
    ImageScale.cpp
    NumberKeyFilter.cpp
    PaletteCaption.cpp
    PaletteDocking.cpp
    PaletteGlyphs.cpp
    PaletteLists.cpp
    PalettePreferences.cpp
    PaletteShared.cpp
    UpDownButton.cpp
  DEPS vt_files vt_barcode vt_document_widgets vt_document vt_platform Qt6::Widgets)
target_link_libraries(vt_app PUBLIC vt_palette)
