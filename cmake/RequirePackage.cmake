# require_package(<find_package args...> DEBIAN <package>): find a package or stop with the
# Debian package that provides it, so a fresh machine says what to install.
function(require_package name)
    cmake_parse_arguments(ARG "" "DEBIAN" "" ${ARGN})
    find_package(${name} ${ARG_UNPARSED_ARGUMENTS} QUIET)
    if(NOT ${name}_FOUND)
        message(FATAL_ERROR "${name} not found: install it with 'apt-get install ${ARG_DEBIAN}'")
    endif()
endfunction()
