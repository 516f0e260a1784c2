# libxlsxwriter as the imported target xlsxwriter::xlsxwriter (include <xlsxwriter.h>, link the
# target; no compile definitions are needed on either system).
# - Linux: Debian's libxlsxwriter-dev, through pkg-config (xlsxwriter.pc).
# - Windows: the static library that scripts/xlsxwriter-windows cross-builds from Debian's
#   source package of the same version into build-windows-deps/, with the static zlib of
#   libz-mingw-w64-dev, so that the programs still need no DLL but Windows' own. Built with
#   MinGW, libxlsxwriter opens the workbook with the C library's narrow fopen: the file name
#   passes in the ANSI code page, not as UTF-8 (a Japanese name does not survive code page 1252).
if(TARGET xlsxwriter::xlsxwriter)
  return()
endif()

if(WIN32)
  set(DXF2CSV_XLSXWRITER_WINDOWS ${PROJECT_SOURCE_DIR}/build-windows-deps
      CACHE PATH "Where scripts/xlsxwriter-windows installed libxlsxwriter for Windows (include/, lib/)")
  set(_xlsxwriter_library ${DXF2CSV_XLSXWRITER_WINDOWS}/lib/libxlsxwriter.a)
  set(_xlsxwriter_include ${DXF2CSV_XLSXWRITER_WINDOWS}/include)
  if(NOT EXISTS ${_xlsxwriter_library} OR NOT EXISTS ${_xlsxwriter_include}/xlsxwriter.h)
    message(FATAL_ERROR "libxlsxwriter for Windows is not in ${DXF2CSV_XLSXWRITER_WINDOWS}: "
                        "run scripts/xlsxwriter-windows (scripts/build windows does)")
  endif()
  # By file name: the folder also holds libz.dll.a, which would make the programs need zlib1.dll.
  find_library(DXF2CSV_ZLIB_STATIC NAMES libz.a REQUIRED
               DOC "zlib's static library for Windows (libz-mingw-w64-dev)")

  add_library(xlsxwriter::zlib STATIC IMPORTED)
  set_target_properties(xlsxwriter::zlib PROPERTIES IMPORTED_LOCATION ${DXF2CSV_ZLIB_STATIC})
  add_library(xlsxwriter::xlsxwriter STATIC IMPORTED)
  set_target_properties(xlsxwriter::xlsxwriter PROPERTIES
    IMPORTED_LOCATION ${_xlsxwriter_library}
    INTERFACE_INCLUDE_DIRECTORIES ${_xlsxwriter_include}
    INTERFACE_LINK_LIBRARIES xlsxwriter::zlib)
  unset(_xlsxwriter_library)
  unset(_xlsxwriter_include)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(DXF2CSV_XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
  add_library(xlsxwriter::xlsxwriter INTERFACE IMPORTED)
  target_link_libraries(xlsxwriter::xlsxwriter INTERFACE PkgConfig::DXF2CSV_XLSXWRITER)
endif()
