# Warnings and strictness for our own targets only; third-party headers come in as system includes.
add_library(kestrow_warnings INTERFACE)
target_compile_options(kestrow_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough
  -Werror)
target_compile_definitions(kestrow_warnings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_USE_QSTRINGBUILDER QT_STRICT_ITERATORS QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
