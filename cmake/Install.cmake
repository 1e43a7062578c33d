# Install rules, the Debian packages (CPack) and the tests that check them.
#
# Two components, two packages:
#   Runtime     -> steamcalc    the calculator, its desktop entry and icon
#   Development -> libif97-dev  the static property library, if97.h and the
#                               CMake package config (find_package(if97))
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(STEAMCALC_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# ---- the library and its package config -------------------------------------
set(IF97_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/if97)
# if97.h uses inline constexpr variables.
target_compile_features(if97 INTERFACE cxx_std_17)
# install() reads a relative PUBLIC_HEADER against the calling directory.
set_property(TARGET if97 PROPERTY PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/library/if97.h)
install(TARGETS if97 EXPORT if97Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
install(EXPORT if97Targets NAMESPACE if97:: DESTINATION ${IF97_CONFIG_DIR}
  COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/if97Config.cmake.in
  ${PROJECT_BINARY_DIR}/if97Config.cmake INSTALL_DESTINATION ${IF97_CONFIG_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/if97ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/if97Config.cmake ${PROJECT_BINARY_DIR}/if97ConfigVersion.cmake
  DESTINATION ${IF97_CONFIG_DIR} COMPONENT Development)

# ---- the calculator, its menu entry and icon --------------------------------
set(STEAMCALC_ICON_SIZES 16 24 32 48 64)
set(STEAMCALC_EMBLEM ${PROJECT_SOURCE_DIR}/resources/emblem.jpg)
if(TARGET steamcalc)
  install(TARGETS steamcalc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  install(FILES ${STEAMCALC_PACKAGING_DIR}/steamcalc.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)

  # The icon theme looks icons up in fixed-size folders; the emblem is 65 x 65,
  # so it is scaled to each size at build time, decoded as the windows do.
  if(TARGET steamcalc_ui AND EXISTS ${STEAMCALC_EMBLEM})
    add_executable(emblem_icon ${STEAMCALC_PACKAGING_DIR}/emblem_icon.cpp)
    target_link_libraries(emblem_icon PRIVATE steamcalc_ui)
    set(icons)
    foreach(size IN LISTS STEAMCALC_ICON_SIZES)
      set(icon ${PROJECT_BINARY_DIR}/icons/${size}x${size}/steamcalc.png)
      add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND emblem_icon ${STEAMCALC_EMBLEM} ${icon} ${size}
        DEPENDS emblem_icon ${STEAMCALC_EMBLEM}
        COMMENT "Making the ${size}x${size} application icon" VERBATIM)
      list(APPEND icons ${icon})
      install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        COMPONENT Runtime)
    endforeach()
    add_custom_target(steamcalc_icons ALL DEPENDS ${icons})
  endif()
endif()

# ---- the if97 command and its manual page, in the program package -----------
if(TARGET if97_command)
  install(TARGETS if97_command RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  install(FILES ${IF97_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
endif()

# ---- Debian packages ---------------------------------------------------------
# Each description: a summary line, then the long text (CPack indents it).
set(CPACK_PACKAGE_NAME steamcalc)
set(CPACK_PACKAGE_VENDOR "steamcalc developers")
set(CPACK_PACKAGE_CONTACT "steamcalc developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Development)
if(TARGET steamcalc)
  list(PREPEND CPACK_COMPONENTS_ALL Runtime)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME steamcalc)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION science)
# The dependencies are read off the linked shared libraries (dpkg-shlibdeps):
# Qt 6 Widgets/Gui/Core, libjpeg, the C and C++ runtimes. libqt6gui6 carries the
# X11 platform plugin.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "Calculator of the thermodynamic properties of water and steam
A desktop calculator (Qt 6, in Russian) of the enthalpy, entropy, specific
volume and saturation state of water and steam after the IAPWS-IF97
industrial formulation, as adopted by the Russian reference-data
recommendation GSSSD R-776-98.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libif97-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "IAPWS-IF97 water and steam property library (static, C++)
Plain C++ functions of the IAPWS-IF97 industrial formulation for water and
steam: properties by pressure and temperature, saturation states, wet steam,
and temperature from pressure and enthalpy or entropy. Ships the static
library, the header if97.h and a CMake package config:
find_package(if97) and link if97::if97.")
include(CPack)

# ---- tests -------------------------------------------------------------------
# package.deb builds the packages, unpacks them into a temporary root and
# checks their files; package.consumer builds a small program against the
# unpacked library package config; package.desktop validates the menu entry.
set(STEAMCALC_PACKAGE_TEST_DIR ${PROJECT_BINARY_DIR}/package-test)
add_test(NAME package.deb
  COMMAND ${PROJECT_SOURCE_DIR}/tests/package/deb_test.sh ${PROJECT_BINARY_DIR}
          ${STEAMCALC_PACKAGE_TEST_DIR} "${CPACK_COMPONENTS_ALL}")
set_tests_properties(package.deb PROPERTIES FIXTURES_SETUP package_root)
add_test(NAME package.consumer
  COMMAND ${PROJECT_SOURCE_DIR}/tests/package/consumer_test.sh
          ${PROJECT_SOURCE_DIR}/tests/package/consumer ${STEAMCALC_PACKAGE_TEST_DIR})
set_tests_properties(package.consumer PROPERTIES FIXTURES_REQUIRED package_root)

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
add_test(NAME package.desktop
  COMMAND ${PROJECT_SOURCE_DIR}/tests/package/desktop_test.sh
          ${STEAMCALC_PACKAGING_DIR}/steamcalc.desktop "${DESKTOP_FILE_VALIDATE}")
set_tests_properties(package.desktop PROPERTIES SKIP_RETURN_CODE 77)
