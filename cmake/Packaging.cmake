# Installation: the library, its headers (the version header generated), the device-library
# headers, a CMake package (find_package(zyvodiag) gives zyvodiag::zyvodiags; the component
# simulator gives zyvodiag::simulator, the simulated device's own control), pkg-config files
# (zyvodiag, and zyvosim for the simulator's control), and the tool's man page and bash completion.
include(CMakePackageConfigHelpers)

# The simulator ships when it is the device library or the tool drives it.
set(zyvo_installed_libraries zyvodiags zyvo_interfaces)
if(zyvo_device_is_simulator OR ZYVODIAG_TOOL_SIMULATOR)
    # The simulator's control API, for a host that drives the bench, faults, trace and clock.
    add_library(zyvodiag_simulator INTERFACE)
    set_target_properties(zyvodiag_simulator PROPERTIES EXPORT_NAME simulator)
    target_include_directories(zyvodiag_simulator INTERFACE
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    target_link_libraries(zyvodiag_simulator INTERFACE zyvosim)
    list(APPEND zyvo_installed_libraries zyvosim zyvodiag_simulator)
    set_target_properties(zyvosim PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/sim/include/zyvosim
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    configure_file(${PROJECT_SOURCE_DIR}/cmake/zyvosim.pc.in ${PROJECT_BINARY_DIR}/zyvosim.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/zyvosim.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

# The diagnostics library finds the device library installed beside it.
set_target_properties(zyvodiags PROPERTIES INSTALL_RPATH "$ORIGIN")
# The program finds them in the lib directory beside its own, under whatever prefix it was
# installed, with no environment variable.
set_target_properties(zyvodiag PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS ${zyvo_installed_libraries} EXPORT zyvodiagTargets
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

# The simulator is installed beside the library; another device library stays where it is.
if(zyvo_device_is_simulator)
    set(zyvo_device_link -lzyvosim)
else()
    set(zyvo_device_link ${ZYVODIAG_DEVICE_LIBRARY})
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/zyvodiag.pc.in ${PROJECT_BINARY_DIR}/zyvodiag.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zyvodiag.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/docs/zyvodiag.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The documentation, where zyvodiag --help and the man page's SEE ALSO point.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
    FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.json")
install(FILES ${PROJECT_SOURCE_DIR}/tools/zyvodiag/zyvodiag-completion.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zyvodiag)
