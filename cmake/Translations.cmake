# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The application's catalogues, translations/tockly_LANG.ts, compiled by lrelease into the
# resources of a target at :/i18n/tockly_LANG.qm. The binary then carries its languages: it runs
# translated from the build tree and cannot meet a mismatched installed copy.
#
# Debian ships lupdate and lrelease (qt6-l10n-tools) without Qt's CMake functions for them (those
# come with the designer and help tools), so the two calls are made here.
find_program(TOCKLY_LRELEASE lrelease HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)
find_program(TOCKLY_LUPDATE lupdate HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)
file(GLOB TOCKLY_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/tockly_*.ts)

function(tockly_add_translations target)
  set(qm_files)
  foreach(ts ${TOCKLY_TS_FILES})
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${name}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${TOCKLY_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts} VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  qt_add_resources(${target} tockly_translations PREFIX /i18n
    BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n FILES ${qm_files})
  # The tests of code outside the binary load the same files from here.
  add_custom_target(tockly_qm_files DEPENDS ${qm_files})
  set(TOCKLY_QM_DIR ${CMAKE_CURRENT_BINARY_DIR}/i18n CACHE INTERNAL "")
endfunction()
