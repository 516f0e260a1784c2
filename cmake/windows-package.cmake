# The Windows zip, made by CPack (`cpack --preset windows`, or scripts/build-windows):
# dxf2csv-VERSION-windows-x64.zip in the build folder, holding one folder of that name with both
# programs (stripped), the README and the sample drawing. VERSION is the project's version.
install(TARGETS dxf2csv dxf2csv-gui RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/parts_list.dxf DESTINATION examples)
# Linked in statically, libxlsxwriter (with the parts it bundles) asks for its notices to go
# with the programs.
install(FILES ${DXF2CSV_XLSXWRITER_WINDOWS}/share/licenses/libxlsxwriter/License.txt
        DESTINATION licenses RENAME libxlsxwriter.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
# Refuses a zip whose programs need a DLL that Windows does not have.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/windows-imports.cmake)
set(CPACK_DXF2CSV_OBJDUMP ${CMAKE_OBJDUMP})
set(CPACK_DXF2CSV_PROGRAMS dxf2csv.exe dxf2csv-gui.exe)
include(CPack)
