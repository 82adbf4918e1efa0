# The hardening flags Debian builds its packages with, from dpkg-buildflags: fortified string
# and memory functions, the strong stack protector, format-string checks, full RELRO with
# immediate binding (PIE is the compiler's default on Debian). On by default, so the programs
# the tests run are the ones the package ships; the flags cost no measurable compile time.
# The checking builds leave them off: the sanitizers replace the fortified functions' checks.
# Optimisation and debug information stay with CMAKE_BUILD_TYPE; the flags that map source
# paths are left out, so the compiler cache still shares objects between work trees.
option(QUELMARINE_DEBIAN_BUILDFLAGS "Build with Debian's hardening flags (dpkg-buildflags)" ON)

if(QUELMARINE_DEBIAN_BUILDFLAGS AND NOT QUELMARINE_SANITIZE AND NOT QUELMARINE_FUZZ)
    find_program(DPKG_BUILDFLAGS dpkg-buildflags)
    if(NOT DPKG_BUILDFLAGS)
        message(FATAL_ERROR "dpkg-buildflags (package dpkg-dev) is missing; "
                            "configure with -DQUELMARINE_DEBIAN_BUILDFLAGS=OFF to build without it")
    endif()
    foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env
                                "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath"
                                ${DPKG_BUILDFLAGS} --get ${kind}
                        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
        endif()
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
        set(debian_${kind} ${flags})
    endforeach()
    # Fortified functions need the optimiser: a Debug build does without them.
    if(CMAKE_BUILD_TYPE STREQUAL "Debug")
        list(FILTER debian_CPPFLAGS EXCLUDE REGEX "^-D_FORTIFY_SOURCE")
    endif()
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${debian_CPPFLAGS}>"
                        "$<$<COMPILE_LANGUAGE:C>:${debian_CFLAGS}>"
                        "$<$<COMPILE_LANGUAGE:CXX>:${debian_CXXFLAGS}>")
    add_link_options(${debian_LDFLAGS})
    message(STATUS "Debian build flags: ${debian_CPPFLAGS} ${debian_CXXFLAGS} ${debian_LDFLAGS}")
endif()
