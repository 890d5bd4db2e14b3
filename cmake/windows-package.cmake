# The Windows packages, made by scripts/package-windows.sh: a 64-bit NSIS
# installer into Program Files, with a Start menu shortcut and an uninstaller
# registered with Windows, and a zip to run from wherever it is unpacked.
set(CPACK_GENERATOR NSIS ZIP)
# The installer script's backslashes reach it as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_FILE_NAME ${KORVAN_PRODUCT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${KORVAN_PRODUCT_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${KORVAN_PRODUCT_NAME})
set(CPACK_NSIS_PACKAGE_NAME ${KORVAN_PRODUCT_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${KORVAN_PRODUCT_NAME})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# CMake's installer script is a 32-bit ANSI one unless told otherwise.
set(CPACK_NSIS_DEFINES "Unicode true\nTarget amd64-unicode")
set(CPACK_NSIS_MUI_ICON ${KORVAN_ICO})
set(CPACK_NSIS_MUI_UNIICON ${KORVAN_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME ${KORVAN_INTERNAL_NAME}.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/res/LICENSE.txt)
# The shortcut is named as the Linux menu entry is, with the panel's icon; it
# starts the launcher, which gives the panel the user's own folder.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetOutPath '$INSTDIR'
  CreateShortCut '$SMPROGRAMS\\$STARTMENU_FOLDER\\${KORVAN_PRODUCT_NAME}.lnk' '$INSTDIR\\korvan-launcher.exe' '' \
'$INSTDIR\\${KORVAN_INTERNAL_NAME}.exe' 0 SW_SHOWNORMAL '' '${KORVAN_COMMENT}'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete '$SMPROGRAMS\\$MUI_TEMP\\${KORVAN_PRODUCT_NAME}.lnk'")
# CMake's script removes the key it keeps under the vendor's, which nothing
# reads on the way out, but leaves the vendor's own, empty.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX 'Software\\${CPACK_PACKAGE_VENDOR}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  DeleteRegKey /ifempty SHCTX 'Software\\${CPACK_PACKAGE_VENDOR}'")
# What differs between the two: see the file.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows-cpack.cmake)
