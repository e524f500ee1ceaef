# Installing. The program folder (the program, its office helper, Data,
# Languages, Links and Images) goes whole into <prefix>/lib/lorvaspeak, as
# the build lays it out, and <prefix>/bin/lorvaspeak points at the program.
# The program finds that folder read-only and keeps the user's files in a
# folder of the user's own, filled from it.
set(LORVA_INSTALL_DIR lib/lorvaspeak)

install(TARGETS lorvaspeak lorvaspeak-office RUNTIME DESTINATION ${LORVA_INSTALL_DIR})
# The helper finds the office's UNO libraries where Debian puts them.
set_target_properties(lorvaspeak-office PROPERTIES INSTALL_RPATH ${LO_PROGRAM})

# Only the shipped files: never what a run in the build tree wrote there.
foreach(copy IN LISTS LORVA_DATA_COPIES)
  file(RELATIVE_PATH relative ${LORVA_BIN_DIR} ${copy})
  get_filename_component(folder ${relative} DIRECTORY)
  install(FILES ${copy} DESTINATION ${LORVA_INSTALL_DIR}/${folder})
endforeach()
# Marks the folder as installed: even a user who may write there (root) gets
# a folder of their own, and the installation holds only what it shipped.
file(WRITE ${CMAKE_BINARY_DIR}/desktop/installed
  "LorvaSpeak keeps each user's files in $XDG_DATA_HOME/lorvaspeak (~/.local/share/lorvaspeak), not here.\n")
install(FILES ${CMAKE_BINARY_DIR}/desktop/installed DESTINATION ${LORVA_INSTALL_DIR} RENAME .installed)
install(DIRECTORY DESTINATION ${LORVA_INSTALL_DIR}/Links)
install(DIRECTORY DESTINATION ${LORVA_INSTALL_DIR}/Images)

install(CODE [[
  set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(MAKE_DIRECTORY "${bin}")
  file(REMOVE "${bin}/lorvaspeak")
  message(STATUS "Installing: ${bin}/lorvaspeak -> ../lib/lorvaspeak/lorvaspeak")
  file(CREATE_LINK ../lib/lorvaspeak/lorvaspeak "${bin}/lorvaspeak" SYMBOLIC)
]])

# Desktop integration: the menu entry, the AppStream description and the
# icon, drawn once as SVG and rendered at the usual hicolor sizes.
set(LORVA_DESKTOP_DIR ${CMAKE_CURRENT_SOURCE_DIR}/data/desktop)
set(LORVA_DESKTOP_FILE ${LORVA_DESKTOP_DIR}/${LORVA_APP_ID}.desktop)
set(LORVA_METAINFO_FILE ${CMAKE_BINARY_DIR}/desktop/${LORVA_APP_ID}.metainfo.xml)
configure_file(${LORVA_DESKTOP_DIR}/${LORVA_APP_ID}.metainfo.xml ${LORVA_METAINFO_FILE} @ONLY)
install(FILES ${LORVA_DESKTOP_FILE} DESTINATION share/applications)
install(FILES ${LORVA_METAINFO_FILE} DESTINATION share/metainfo)
install(FILES ${LORVA_DESKTOP_DIR}/${LORVA_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(LORVA_ICONS)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/desktop/icons/${size}x${size}/${LORVA_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${LORVA_DESKTOP_DIR}/${LORVA_APP_ID}.svg
    DEPENDS ${LORVA_DESKTOP_DIR}/${LORVA_APP_ID}.svg
    VERBATIM)
  list(APPEND LORVA_ICONS ${png})
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(lorva_icons ALL DEPENDS ${LORVA_ICONS})
