# A test that fails when a C++ source drifts from .clang-format.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(CLANG_FORMAT)
  file(GLOB_RECURSE ARPFLUSH_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/protection/*.cpp ${CMAKE_SOURCE_DIR}/protection/*.h
    ${CMAKE_SOURCE_DIR}/win/*.cpp ${CMAKE_SOURCE_DIR}/win/*.h
    ${CMAKE_SOURCE_DIR}/ui/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.h
    ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
    ${CMAKE_SOURCE_DIR}/ads/*.cpp ${CMAKE_SOURCE_DIR}/ads/*.h
    ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
    ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h)
  add_test(NAME SourcesFollowClangFormat
    COMMAND ${CLANG_FORMAT} --dry-run --Werror ${ARPFLUSH_SOURCES})
endif()
