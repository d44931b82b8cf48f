# One place for the flags every target of the project shares.
add_library(zircon_flags INTERFACE)
target_compile_features(zircon_flags INTERFACE cxx_std_20)
target_compile_options(zircon_flags INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(zircon_flags INTERFACE
  _GLIBCXX_ASSERTIONS
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  ZIRCON_VERSION="${PROJECT_VERSION}")
if(ZIRCON_WERROR)
  target_compile_options(zircon_flags INTERFACE -Werror)
endif()

# The program's own sources say which encoding every literal has; the tests,
# built on tables of literals, may convert plain ASCII implicitly.
add_library(zircon_strict_text INTERFACE)
target_compile_definitions(zircon_strict_text INTERFACE QT_NO_CAST_FROM_ASCII)
