# Helpers that give every target of the project the same flags.
#
# The numerical core must be bit-for-bit reproducible: no contraction into fused multiply-add,
# no fast-math, SSE2 on x86-64, no compiler extensions.

set(VENTARO_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)

# The fuzzing build (VENTARO_FUZZ, clang) instruments every target for libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer, float-to-integer overflow included; any
# finding aborts, so that libFuzzer keeps the input.
set(VENTARO_FUZZ_SANITIZERS -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=all)
set(VENTARO_FUZZ_FLAGS -fsanitize=fuzzer-no-link ${VENTARO_FUZZ_SANITIZERS}
    -fno-omit-frame-pointer)

function(ventaro_set_flags target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -ffp-contract=off -fno-fast-math)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
        target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
    endif()
    if(VENTARO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # The sanitize build instruments every target of the project, libraries and executables.
    if(VENTARO_SANITIZE)
        target_compile_options(${target} PRIVATE ${VENTARO_SANITIZE_FLAGS})
        target_link_options(${target} PRIVATE ${VENTARO_SANITIZE_FLAGS})
    endif()
    # The ThreadSanitizer build checks the passes that run on several threads.
    if(VENTARO_TSAN)
        target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=thread)
    endif()
    if(VENTARO_FUZZ)
        target_compile_options(${target} PRIVATE ${VENTARO_FUZZ_FLAGS})
    endif()
endfunction()

# ventaro_library(name SOURCES ... DEPS ... SYSTEM_DEPS ...)
# A static library of the project: DEPS are project libraries, SYSTEM_DEPS the others.
function(ventaro_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    ventaro_set_flags(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_SYSTEM_DEPS})
endfunction()

# ventaro_test(name [QT] SOURCES ... DEPS ... SYSTEM_DEPS ...)
# A GoogleTest executable whose every case is registered with ctest. QT tests run offscreen.
function(ventaro_test name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    ventaro_set_flags(${name})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${ARG_SYSTEM_DEPS} GTest::gtest
        GTest::gtest_main)
    # Test helpers are included from the tests folder ("support/...", "app/janela_teste.h").
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        VENTARO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        VENTARO_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data"
        VENTARO_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    set(env)
    if(ARG_QT)
        set(env "QT_QPA_PLATFORM=offscreen")
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES ENVIRONMENT "${env}")
endfunction()
