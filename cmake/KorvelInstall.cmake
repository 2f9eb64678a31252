# Two install layouts, as two install components:
# - "installed" (the default of `cmake --install`, and the .deb): executables in
#   bin/, the database and document tree in share/korvel3/Database (read-only;
#   the program finds it relative to itself), desktop entry, icon, metainfo,
#   manual pages. Exports go to the user's own folder.
# - "portable" (`cmake --install build --component portable`, and the .tar.gz):
#   bin/ with Database/ and Save/ beside the executables, as in the build folder.
include(GNUInstallDirs)

# Installing (and cpack) takes the build as it is instead of building every
# target first: build, then install or package (the package test runs inside
# ctest, after the build, and must not start a second build).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KORVEL_APP_ID org.korvel3.Korvel3)
set(KORVEL_RELEASE_DATE 2026-12-11)
set(KORVEL_MAINTAINER "The Korvel 3 developers <korvel3@example.org>")
set(KORVEL_MAN_DIR ${CMAKE_BINARY_DIR}/man)

# Installs an executable in both layouts and, with MANPAGE, its manual page
# (a troff source with @PROJECT_VERSION@ and @KORVEL_RELEASE_DATE@, section 1).
function(korvel_install_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "MANPAGE" "")
  install(TARGETS ${target}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT installed
    BUNDLE DESTINATION . COMPONENT installed)
  install(TARGETS ${target}
    RUNTIME DESTINATION bin COMPONENT portable EXCLUDE_FROM_ALL
    BUNDLE DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
  if(arg_MANPAGE)
    set(page ${KORVEL_MAN_DIR}/${target}.1)
    configure_file(${arg_MANPAGE} ${page} @ONLY)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND gzip -9nfk ${page}
      DEPENDS ${page}
      COMMENT "Compressing the manual page of ${target}"
      VERBATIM)
    add_custom_target(${target}_manpage ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT installed)
  endif()
endfunction()

# The permissions of every installed data file and folder, whatever the build left.
set(KORVEL_DATA_PERMISSIONS
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
