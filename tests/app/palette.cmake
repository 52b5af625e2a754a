vt_add_test(palette_tests WIDGETS
  SOURCES PaletteRulesTest.cpp PaletteListsTest.cpp PaletteTest.cpp PaletteWindowTest.cpp PaletteMatrixTest.cpp
  DEPS vt_palette
  LABEL app)
