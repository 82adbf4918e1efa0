# Two kinds of checking build, each in its own build folder:
#   QUELMARINE_SANITIZE=ON  AddressSanitizer (with leak checking) and UndefinedBehaviorSanitizer;
#                           any undefined behaviour ends the process with an error.
#   QUELMARINE_FUZZ=ON      clang's libFuzzer coverage on top of the same sanitizers, and the
#                           fuzz targets of fuzz/.
option(QUELMARINE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUELMARINE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

set(QUELMARINE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                               -fno-omit-frame-pointer)
if(QUELMARINE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUELMARINE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${QUELMARINE_SANITIZER_FLAGS};-fsanitize=fuzzer-no-link>")
    add_link_options(-fsanitize=address,undefined)
elseif(QUELMARINE_SANITIZE)
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${QUELMARINE_SANITIZER_FLAGS}>")
    add_link_options(-fsanitize=address,undefined)
endif()
