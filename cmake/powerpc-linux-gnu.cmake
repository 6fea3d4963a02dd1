# Cross build for the 32-bit big-endian PowerPC the library ships on, with Debian's
# g++-powerpc-linux-gnu; programs built here run under qemu-user's qemu-ppc.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)

set(ZYVO_PPC_TRIPLE powerpc-linux-gnu)
set(ZYVO_PPC_TREE /usr/${ZYVO_PPC_TRIPLE})

set(CMAKE_C_COMPILER ${ZYVO_PPC_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${ZYVO_PPC_TRIPLE}-g++)

# Libraries, headers and packages come from the cross tree and from the prefixes the build is
# given (an installed zyvodiag, say); programs run during the build are the host's.
set(CMAKE_FIND_ROOT_PATH ${ZYVO_PPC_TREE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest and gtest_discover_tests start every test program through the emulator. -L gives it the
# dynamic loader and libraries of the cross tree, with libm mended for qemu (qemu-ppc-root.pl
# says why); the tree is made in the build directory when it is configured.
get_property(zyvo_in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(NOT zyvo_in_try_compile)
    set(ZYVO_PPC_EMULATOR_ROOT ${CMAKE_BINARY_DIR}/qemu-ppc-root)
    execute_process(
        COMMAND perl ${CMAKE_CURRENT_LIST_DIR}/qemu-ppc-root.pl ${ZYVO_PPC_TREE}
            ${ZYVO_PPC_EMULATOR_ROOT}
        RESULT_VARIABLE zyvo_root_status)
    if(NOT zyvo_root_status EQUAL 0)
        message(FATAL_ERROR "cannot make the emulator's tree ${ZYVO_PPC_EMULATOR_ROOT}")
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc -L ${ZYVO_PPC_EMULATOR_ROOT})

    # Header-only packages are the same for every target, so the host's serve: a tree in the
    # build directory shows the cross build their headers and CMake files, and nothing else of
    # the host.
    set(ZYVO_PPC_HEADER_ROOT ${CMAKE_BINARY_DIR}/host-headers)
    if(EXISTS /usr/share/cmake/nlohmann_json AND NOT EXISTS ${ZYVO_PPC_HEADER_ROOT}/usr/include)
        file(MAKE_DIRECTORY ${ZYVO_PPC_HEADER_ROOT}/usr/include)
        file(CREATE_LINK /usr/include/nlohmann ${ZYVO_PPC_HEADER_ROOT}/usr/include/nlohmann
            SYMBOLIC)
        file(COPY /usr/share/cmake/nlohmann_json DESTINATION ${ZYVO_PPC_HEADER_ROOT}/usr/share/cmake)
    endif()
    list(APPEND CMAKE_FIND_ROOT_PATH ${ZYVO_PPC_HEADER_ROOT})
endif()
