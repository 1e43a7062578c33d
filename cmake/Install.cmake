# Install rules and the Debian packages (CPack); tests/package/ checks them.
#
# Three components, three packages:
#   Runtime     -> steamcalc    the calculator, its manual page, desktop entry
#                               and icons; the if97 command and its manual page
#   CLibrary    -> libif97c1    the C interface, the shared libif97c.so.1
#   Development -> libif97-dev  the static property library, its headers in
#                               include/if97/, the link libif97c.so, the CMake
#                               package config (find_package(if97)), if97.pc
#                               and if97c.pc (pkg-config)
#   Python      -> python3-if97 the Python module if97 (python/), where it is
#                               built
# Each carries the licence as a machine-readable copyright file and the Debian
# changelog in share/doc/<package>/.

# Debian keeps libraries in the multiarch directory (lib/x86_64-linux-gnu).
# GNUInstallDirs chooses it only for the prefix /usr, but the packages are made
# from a build configured for the default /usr/local; take the multiarch
# directory for every prefix unless CMAKE_INSTALL_LIBDIR was given.
if(CMAKE_LIBRARY_ARCHITECTURE)
  get_property(libdir_help CACHE CMAKE_INSTALL_LIBDIR PROPERTY HELPSTRING)
  if(NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR} OR libdir_help STREQUAL "Object code libraries (lib)")
    set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}
      CACHE PATH "Object code libraries (lib/${CMAKE_LIBRARY_ARCHITECTURE})" FORCE)
  endif()
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(STEAMCALC_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(STEAMCALC_MAINTAINER
  "Seed 36e8291d maintainers <maintainers@users.noreply.c-seed-36e8291d.example>")

# ---- the library: headers, package config, pkg-config file ------------------
# The public headers, installed side by side in include/if97/.
set(IF97_PUBLIC_HEADERS
  ${PROJECT_SOURCE_DIR}/library/include/if97/if97.h
  ${PROJECT_SOURCE_DIR}/library/include/if97/if97_limits.h
  ${PROJECT_SOURCE_DIR}/library/include/if97/if97_state.h
  ${PROJECT_SOURCE_DIR}/capi/include/if97/if97_c.h
  ${PROJECT_BINARY_DIR}/library/include/if97/if97_version.h)
set(IF97_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/if97)
# if97.h uses inline constexpr variables.
target_compile_features(if97 INTERFACE cxx_std_17)
install(TARGETS if97 EXPORT if97Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
# The C interface: the library and its soname link in their own package (as
# Debian's policy on shared libraries asks), the link for the linker with the
# development files.
install(TARGETS if97c EXPORT if97Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT CLibrary NAMELINK_COMPONENT Development)
install(FILES ${IF97_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/if97
  COMPONENT Development)
install(EXPORT if97Targets NAMESPACE if97:: DESTINATION ${IF97_CONFIG_DIR}
  COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/if97Config.cmake.in
  ${PROJECT_BINARY_DIR}/if97Config.cmake INSTALL_DESTINATION ${IF97_CONFIG_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/if97ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/if97Config.cmake ${PROJECT_BINARY_DIR}/if97ConfigVersion.cmake
  DESTINATION ${IF97_CONFIG_DIR} COMPONENT Development)

# if97.pc names the prefix the files are installed under, which is known only
# at install time (cmake --install --prefix; CPack installs for /usr).
install(CODE "
  set(IF97_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(IF97_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(IF97_PC_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(IF97_PC_VERSION \"${PROJECT_VERSION}\")
  foreach(pc if97 if97c)
    configure_file(\"${PROJECT_SOURCE_DIR}/cmake/\${pc}.pc.in\" \"${PROJECT_BINARY_DIR}/pkgconfig/\${pc}.pc\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\"
      TYPE FILE FILES \"${PROJECT_BINARY_DIR}/pkgconfig/\${pc}.pc\")
  endforeach()
" COMPONENT Development)

# ---- licence and Debian changelog, per package -------------------------------
set(STEAMCALC_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${STEAMCALC_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" gzip ${STEAMCALC_PACKAGING_DIR}/changelog.Debian
          ${STEAMCALC_CHANGELOG_GZ}
  DEPENDS ${STEAMCALC_PACKAGING_DIR}/changelog.Debian VERBATIM)
add_custom_target(steamcalc_changelog ALL DEPENDS ${STEAMCALC_CHANGELOG_GZ})
function(steamcalc_install_package_docs component package)
  install(FILES ${STEAMCALC_PACKAGING_DIR}/copyright ${STEAMCALC_CHANGELOG_GZ}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endfunction()
steamcalc_install_package_docs(Development libif97-dev)
set(STEAMCALC_CLIBRARY_PACKAGE libif97c${PROJECT_VERSION_MAJOR})
steamcalc_install_package_docs(CLibrary ${STEAMCALC_CLIBRARY_PACKAGE})

# ---- manual pages ------------------------------------------------------------
# steamcalc_install_man_page(<page source> <component>) installs one page,
# e.g. packaging/steamcalc.1 into share/man/man1/steamcalc.1.gz; @PROJECT_VERSION@
# in the source becomes the version.
add_custom_target(steamcalc_man_pages ALL)
function(steamcalc_install_man_page source component)
  get_filename_component(name ${source} NAME)
  string(REGEX MATCH "[1-9]$" section ${name})
  set(page ${PROJECT_BINARY_DIR}/man/${name})
  configure_file(${source} ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" gzip ${page} ${page}.gz
    DEPENDS ${page} VERBATIM)
  add_custom_target(steamcalc_man_${name} DEPENDS ${page}.gz)
  add_dependencies(steamcalc_man_pages steamcalc_man_${name})
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section}
    COMPONENT ${component})
endfunction()

# ---- the calculator, its manual page, menu entry and icons -------------------
set(STEAMCALC_ICON_SIZES 16 22 24 32 48 64 128 256)
if(TARGET steamcalc)
  install(TARGETS steamcalc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  steamcalc_install_man_page(${STEAMCALC_PACKAGING_DIR}/steamcalc.1 Runtime)
  steamcalc_install_package_docs(Runtime steamcalc)
  install(FILES ${STEAMCALC_PACKAGING_DIR}/steamcalc.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)

  # The icon theme looks icons up in fixed-size folders and in scalable/;
  # each is drawn from the emblem's vector shapes at build time.
  if(TARGET steamcalc_emblem)
    add_executable(emblem_icon ${STEAMCALC_PACKAGING_DIR}/emblem_icon.cpp)
    target_link_libraries(emblem_icon PRIVATE steamcalc_emblem)
    set(icons)
    foreach(size IN LISTS STEAMCALC_ICON_SIZES ITEMS scalable)
      if(size STREQUAL "scalable")
        set(dir scalable)
        set(icon ${PROJECT_BINARY_DIR}/icons/${dir}/steamcalc.svg)
        set(args ${icon})
      else()
        set(dir ${size}x${size})
        set(icon ${PROJECT_BINARY_DIR}/icons/${dir}/steamcalc.png)
        set(args ${icon} ${size})
      endif()
      add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${dir}
        COMMAND emblem_icon ${args}
        DEPENDS emblem_icon
        COMMENT "Making the ${dir} application icon" VERBATIM)
      list(APPEND icons ${icon})
      install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${dir}/apps
        COMPONENT Runtime)
    endforeach()
    add_custom_target(steamcalc_icons ALL DEPENDS ${icons})
  endif()
endif()

# ---- the if97 command and its manual page, in the program package -----------
if(TARGET if97_command)
  install(TARGETS if97_command RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
  steamcalc_install_man_page(${PROJECT_SOURCE_DIR}/cli/if97.1 Runtime)
endif()

# ---- the Python module, in its own package ----------------------------------
# python/CMakeLists.txt installs the package if97 itself.
if(TARGET if97_python)
  steamcalc_install_package_docs(Python python3-if97)
endif()

# ---- Debian packages ---------------------------------------------------------
# Each description: a summary line, then the long text (CPack indents it).
set(CPACK_PACKAGE_NAME steamcalc)
set(CPACK_PACKAGE_VENDOR "steamcalc developers")
set(CPACK_PACKAGE_CONTACT ${STEAMCALC_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${STEAMCALC_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL CLibrary Development)
if(TARGET steamcalc)
  list(PREPEND CPACK_COMPONENTS_ALL Runtime)
endif()
if(TARGET if97_python)
  list(APPEND CPACK_COMPONENTS_ALL Python)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME steamcalc)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION science)
# The dependencies are read off the linked shared libraries (dpkg-shlibdeps):
# Qt 6 Widgets/Gui/Core, libjpeg, the C and C++ runtimes. libqt6gui6 carries the
# X11 platform plugin. The windows are laid out in pixels for Liberation Sans.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "Calculator of the thermodynamic properties of water and steam
A desktop calculator (Qt 6, in Russian) of the enthalpy, entropy, specific
volume and saturation state of water and steam after the IAPWS-IF97
industrial formulation, as adopted by the Russian reference-data
recommendation GSSSD R-776-98. The command if97 prints the whole state
(h, s, v, u, cp, cv, w, region, phase) from one pair of quantities, for
shells, scripts and spreadsheets.")

# The C interface's shared library. Its symbols file (packaging/) gives each
# exported function the version that brought it; the shlibs file comes
# from CPack. dpkg's trigger runs ldconfig.
set(CPACK_DEBIAN_CLIBRARY_PACKAGE_NAME ${STEAMCALC_CLIBRARY_PACKAGE})
set(CPACK_DEBIAN_CLIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_CLIBRARY_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
configure_file(${STEAMCALC_PACKAGING_DIR}/${STEAMCALC_CLIBRARY_PACKAGE}.symbols
  ${PROJECT_BINARY_DIR}/packaging/${STEAMCALC_CLIBRARY_PACKAGE}/symbols COPYONLY)
configure_file(${STEAMCALC_PACKAGING_DIR}/ldconfig.triggers
  ${PROJECT_BINARY_DIR}/packaging/${STEAMCALC_CLIBRARY_PACKAGE}/triggers COPYONLY)
# CPack would write a postinst and a postrm that call ldconfig, which the
# trigger makes redundant (lintian: maintscript-calls-ldconfig). Naming a
# postinst and a postrm among the extra control files stops that; as they do
# not exist, CPack adds no file for them.
set(CPACK_DEBIAN_CLIBRARY_PACKAGE_CONTROL_EXTRA
  ${PROJECT_BINARY_DIR}/packaging/${STEAMCALC_CLIBRARY_PACKAGE}/symbols
  ${PROJECT_BINARY_DIR}/packaging/${STEAMCALC_CLIBRARY_PACKAGE}/triggers
  ${PROJECT_BINARY_DIR}/packaging/${STEAMCALC_CLIBRARY_PACKAGE}/none/postinst
  ${PROJECT_BINARY_DIR}/packaging/${STEAMCALC_CLIBRARY_PACKAGE}/none/postrm)
set(CPACK_DEBIAN_CLIBRARY_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_CLIBRARY_DESCRIPTION
  "IAPWS-IF97 water and steam property library (C interface)
The whole thermodynamic state of water and steam after the IAPWS-IF97
industrial formulation from one pair of given quantities, through a plain C
interface: pressure with temperature, enthalpy, entropy or dryness fraction,
enthalpy with entropy, and the saturation states. Thread-safe; refusals come
back as error codes. This package holds the shared library libif97c.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libif97-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "${STEAMCALC_CLIBRARY_PACKAGE} (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "IAPWS-IF97 water and steam property library (static, C++)
Plain C++ functions of the IAPWS-IF97 industrial formulation for water and
steam: properties by pressure and temperature, saturation states, wet steam,
and temperature from pressure and enthalpy or entropy; the whole state from
one pair of quantities, thread-safe, with refusals as values. Ships the
static library, the headers if97/if97.h, if97/if97_state.h and
if97/if97_version.h, the C interface's header if97/if97_c.h and link
libif97c.so, a CMake package config (find_package(if97), link if97::if97 or
if97::if97c) and pkg-config files (if97, if97c).")
# The Python module, after Debian's Python policy: built for one Python
# version (the module's file name carries its ABI), against NumPy's C API
# (its ABI package), byte-compiled on installation by postinst.
if(TARGET if97_python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-if97)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SHLIBDEPS ON)
  math(EXPR python_next_minor "${Python3_VERSION_MINOR} + 1")
  set(python_depends
    "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~)"
    "python3 (<< ${Python3_VERSION_MAJOR}.${python_next_minor})"
    "python3-numpy")
  execute_process(COMMAND dpkg-query -W -f=\${Provides} python3-numpy
    OUTPUT_VARIABLE numpy_provides ERROR_QUIET)
  string(REGEX MATCH "python3-numpy-abi[0-9]+" numpy_abi "${numpy_provides}")
  if(numpy_abi)
    list(APPEND python_depends ${numpy_abi})
  endif()
  list(JOIN python_depends ", " CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-pandas, python3-dask, python3-distributed")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
    ${STEAMCALC_PACKAGING_DIR}/python3-if97/postinst ${STEAMCALC_PACKAGING_DIR}/python3-if97/prerm)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "IAPWS-IF97 water and steam properties for Python 3 and NumPy
The module if97 gives the whole state of water or steam (enthalpy, entropy,
volume, internal energy, heat capacities, speed of sound and more, with the
region and the phase) from one pair of quantities: pressure and
temperature, enthalpy or entropy, enthalpy and entropy, dryness fraction,
and the saturation states. Arguments are scalars or NumPy arrays, broadcast
as NumPy broadcasts; a state that does not exist comes back as an error code
in its own element. The loop runs in C++ without the GIL, on one thread or
several. if97.frame computes the states of a pandas DataFrame's rows, also
over the partitions of a Dask DataFrame.")
endif()
include(CPack)
