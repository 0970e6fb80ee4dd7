# The libraries in their layers, and what each may include and link: a
# library uses only libraries below it, never one beside or above it.
#
#   programs/                       Tarvoss5, Quellin5, Morvane5 (one main each)
#   meandiff/                       the effect-size main window and its launchers
#   outcometable/  personchange/    the other two programs' main windows
#   metadb/                         the study database window
#   metastats/  calculators/        meta-analysis; calculator and table windows
#   frame/                          what the three main windows share
#   shell/                          splash, About, Options, layout, capture ...
#   platform/                       settings, dialogs, files, database, numbers
#
# SUITE_LAYER_<library> lists the libraries <library> may use. suite_library
# links exactly these; scripts/check_layers.cmake fails the configure step
# and the "layers" test when a source file includes a header of any other.
set(SUITE_LIBRARIES platform shell frame calculators metastats metadb outcometable personchange meandiff)
set(SUITE_LAYER_platform "")
set(SUITE_LAYER_shell platform)
set(SUITE_LAYER_frame shell platform)
set(SUITE_LAYER_calculators frame shell platform)
set(SUITE_LAYER_metastats frame shell platform)
set(SUITE_LAYER_metadb metastats frame shell platform)
set(SUITE_LAYER_outcometable calculators frame shell platform)
set(SUITE_LAYER_personchange frame shell platform)
set(SUITE_LAYER_meandiff calculators metadb metastats frame shell platform)
