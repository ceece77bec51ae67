# The Windows package: a folder that runs wherever it is unpacked, with no Qt installed. The
# kit has no windeployqt, so the DLLs and plug-ins the program loads are listed here.

# Where the exe goes, the Qt DLLs, the MinGW run-time and the plug-ins go beside it, as Qt on
# Windows looks for plug-ins in the exe's folder.
get_target_property(qt_core_dll Qt5::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin "${qt_core_dll}" DIRECTORY)
get_filename_component(qt_root "${qt_bin}" DIRECTORY)
set(qt_plugins "${qt_root}/plugins")

set(qt_dlls)
foreach(module Core Gui Widgets PrintSupport SerialPort)
  list(APPEND qt_dlls "${qt_bin}/Qt5${module}.dll")
endforeach()
install(FILES ${qt_dlls} DESTINATION .)
install(FILES "${qt_bin}/libstdc++-6.dll" "${qt_bin}/libgcc_s_seh-1.dll"
              "${qt_bin}/libwinpthread-1.dll" DESTINATION .)
# The window on the Windows platform; the settings sheet (--report) paints off screen.
install(FILES "${qt_plugins}/platforms/qwindows.dll" "${qt_plugins}/platforms/qoffscreen.dll"
        DESTINATION platforms)
install(FILES "${qt_plugins}/styles/qwindowsvistastyle.dll" DESTINATION styles)
install(FILES "${qt_plugins}/printsupport/windowsprintersupport.dll" DESTINATION printsupport)
install(FILES "${qt_plugins}/imageformats/qico.dll" "${qt_plugins}/imageformats/qgif.dll"
              "${qt_plugins}/imageformats/qjpeg.dll" DESTINATION imageformats)
# Windows has no package of Qt's translations: the Polish texts of the toolkit travel with the
# program, and the program looks for them beside itself first.
if(EXISTS "${ORVA_QT_TRANSLATIONS}/qtbase_pl.qm")
  install(FILES "${ORVA_QT_TRANSLATIONS}/qtbase_pl.qm" DESTINATION translations)
else()
  message(WARNING "qtbase_pl.qm not found in ${ORVA_QT_TRANSLATIONS} (qttranslations5-l10n): "
                  "the package's standard dialogs will speak English")
endif()

# Windows has no DejaVu, and the faces it has may not all go into a PDF: the settings sheet is
# set in the copy that travels with the program (fonts-dejavu-core on the building machine).
set(ORVA_DEJAVU "/usr/share/fonts/truetype/dejavu" CACHE PATH "Folder of the DejaVu faces the Windows package carries")
set(dejavu_faces DejaVuSans.ttf DejaVuSans-Bold.ttf DejaVuSansMono.ttf)
list(TRANSFORM dejavu_faces PREPEND "${ORVA_DEJAVU}/")
foreach(face ${dejavu_faces})
  if(NOT EXISTS "${face}")
    message(FATAL_ERROR "${face} not found (fonts-dejavu-core): the package's settings sheets "
                        "would have no text")
  endif()
endforeach()
install(FILES ${dejavu_faces} DESTINATION fonts)
if(EXISTS /usr/share/doc/fonts-dejavu-core/copyright)
  install(FILES /usr/share/doc/fonts-dejavu-core/copyright DESTINATION fonts RENAME DejaVu-LICENSE.txt)
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME "orva-konfig-${PROJECT_VERSION}-win64")
set(CPACK_NSIS_PACKAGE_NAME "ORVA_Konfig")
set(CPACK_NSIS_DISPLAY_NAME "ORVA_Konfig")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/orva-konfig.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/orva-konfig.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "orva-konfig.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_PACKAGE_EXECUTABLES "orva-konfig" "ORVA_Konfig")
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.orvatech.pl")
