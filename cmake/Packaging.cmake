# Installation: the library, its headers (the version header generated), the device-library
# headers and stand-in, a CMake package (find_package(zyvodiag) gives zyvodiag::zyvodiags), a
# pkg-config file, and the tool's man page and bash completion.
include(CMakePackageConfigHelpers)

# The diagnostics library finds the device library installed beside it.
set_target_properties(zyvodiags zyvosim PROPERTIES INSTALL_RPATH "$ORIGIN")
# The program finds them in the lib directory beside its own, under whatever prefix it was
# installed, with no environment variable.
set_target_properties(zyvodiag PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS zyvodiags zyvosim zyvo_interfaces EXPORT zyvodiagTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/zyvodiag ${PROJECT_BINARY_DIR}/include/zyvodiag_version.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/interfaces/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zyvodevice FILES_MATCHING PATTERN "*.h")
install(EXPORT zyvodiagTargets NAMESPACE zyvodiag::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zyvodiag)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/zyvodiagConfig.cmake.in
    ${PROJECT_BINARY_DIR}/zyvodiagConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zyvodiag)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zyvodiagConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/zyvodiagConfig.cmake
    ${PROJECT_BINARY_DIR}/zyvodiagConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zyvodiag)

configure_file(${PROJECT_SOURCE_DIR}/cmake/zyvodiag.pc.in ${PROJECT_BINARY_DIR}/zyvodiag.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zyvodiag.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/docs/zyvodiag.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/tools/zyvodiag/zyvodiag-completion.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zyvodiag)
