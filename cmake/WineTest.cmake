# Tests run under Wine, once per Windows version they name.
#
#   vqx_add_wine_test(<target>
#       SOURCES <files...>
#       [LIBS <libraries...>]
#       VERSIONS ALL | <version...>)
#
# builds <target>.exe (GoogleTest) and registers one CTest entry per version,
# named <target>@<version>, so a failure says which Windows it failed on.
# Versions: win95 win98 winme nt40 win2k winxp0 (XP, no service pack)
# winxp1 (XP SP1) winxp (XP SP3) win7 (Wine's default 6.1).  Tests of one prefix never run at
# the same time; tests of different prefixes may.
set(VQX_WINDOWS_VERSIONS win95 win98 winme nt40 win2k winxp0 winxp1 winxp win7)
set(VQX_PREFIX_ROOT ${CMAKE_BINARY_DIR}/prefixes)
set(VQX_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
# The Wine that runs this build: 32-bit for the product, 64-bit for the
# x86-64 build of machines that run no 32-bit programs (tools/wine-arch.sh).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VQX_WINEARCH win64)
else()
    set(VQX_WINEARCH win32)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/winearch "${VQX_WINEARCH}\n")

add_test(NAME wine.prefixes
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefixes.sh create ${VQX_PREFIX_ROOT} ${VQX_WINDOWS_VERSIONS})
set_tests_properties(wine.prefixes PROPERTIES FIXTURES_SETUP wine TIMEOUT 600
    ENVIRONMENT VQX_WINEARCH=${VQX_WINEARCH})
add_test(NAME wine.stop
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefixes.sh stop ${VQX_PREFIX_ROOT})
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine
    ENVIRONMENT VQX_WINEARCH=${VQX_WINEARCH})

function(vqx_add_wine_test target)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;VERSIONS" ${ARGN})
    add_executable(${target} ${T_SOURCES})
    target_link_libraries(${target} PRIVATE vqx_test_support ${T_LIBS})
    add_dependencies(${target} vqx_runtime)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE OFF)
    if(T_VERSIONS STREQUAL "ALL")
        set(T_VERSIONS ${VQX_WINDOWS_VERSIONS})
    endif()
    foreach(version ${T_VERSIONS})
        if(NOT version IN_LIST VQX_WINDOWS_VERSIONS)
            message(FATAL_ERROR "${target}: unknown Windows version ${version}")
        endif()
        add_test(NAME ${target}@${version}
            COMMAND ${VQX_WINE_RUN} ${VQX_PREFIX_ROOT}/${version} $<TARGET_FILE:${target}>)
        set_tests_properties(${target}@${version} PROPERTIES
            FIXTURES_REQUIRED wine
            RESOURCE_LOCK prefix_${version}
            TIMEOUT 300
            ENVIRONMENT VQX_WINEARCH=${VQX_WINEARCH}
            LABELS ${version})
    endforeach()
endfunction()
