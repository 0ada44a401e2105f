# Windows builds: a GUI program that needs nothing beside it but system DLLs
# (and the ad library), so the C++ runtime is linked statically.
add_library(arpflush_windows_runtime INTERFACE)
target_compile_definitions(arpflush_windows_runtime INTERFACE
  UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_options(arpflush_windows_runtime INTERFACE
  -static -static-libgcc -static-libstdc++)
