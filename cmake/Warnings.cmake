# Compiler warnings for every target of ours, as one INTERFACE target.
option(ARPFLUSH_WERROR "Treat warnings as errors (set under CI)" OFF)

add_library(arpflush_warnings INTERFACE)
target_compile_options(arpflush_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  $<$<COMPILE_LANGUAGE:CXX>:-Wsuggest-override>)
if(ARPFLUSH_WERROR)
  target_compile_options(arpflush_warnings INTERFACE -Werror)
endif()
