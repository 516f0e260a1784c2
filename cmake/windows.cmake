# What a Windows build adds: the Unicode Win32 calls, and GoogleTest built from source with the
# cross compiler (Debian's libgtest-dev ships the sources; its libraries are for Linux only).
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

if(DXF2CSV_TESTS AND NOT TARGET GTest::gtest)
  set(DXF2CSV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, for a cross build")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${DXF2CSV_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest) # older GoogleTest sources name no such aliases
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

# The icon and version information of a program, as Explorer shows them: `name`.exe described
# by `description` (in Japanese, as its users read it).
enable_language(RC)
function(dxf2csv_windows_resources target name description)
  set(DXF2CSV_RC_NAME ${name})
  set(DXF2CSV_RC_DESCRIPTION ${description})
  set(DXF2CSV_RC_ICON ${PROJECT_SOURCE_DIR}/cmake/windows-resources/dxf2csv.ico)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows-resources/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${name}-version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}-version.rc)
endfunction()
