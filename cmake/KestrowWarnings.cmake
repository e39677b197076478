# The settings every target of ours links: the language standard, warnings and strictness (third-party
# headers come in as system includes). Warnings fail the build only where a preset asks for it
# (CMAKE_COMPILE_WARNING_AS_ERROR in the developer presets), so that a packager's newer compiler with
# a new warning still builds.
add_library(kestrow_warnings INTERFACE)
target_compile_features(kestrow_warnings INTERFACE cxx_std_20)
target_compile_options(kestrow_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
target_compile_definitions(kestrow_warnings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_USE_QSTRINGBUILDER QT_STRICT_ITERATORS QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
