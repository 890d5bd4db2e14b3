# Read by cpack for each generator. The installer takes everything; the zip
# leaves out the launcher, as a panel unpacked anywhere keeps its address
# memory where it was unpacked.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_MONOLITHIC_INSTALL ON)
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}-setup)
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL Unspecified)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
