# Copies the mingw runtime DLLs beside the binaries.  The compiler says where
# its own runtime lies, so the copy follows the compiler's version and
# installation instead of a folder named here.  The copies are stripped of
# their debugging sections: every process that the hot-key hook enters, and
# the Display control panel with the extension, loads them (the C++ runtime
# is over 20 MB as the cross compiler ships it, 2 MB stripped).
# 32-bit gcc unwinds with DWARF tables, 64-bit gcc with SEH: its own libgcc.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VQX_GCC_RUNTIME_DLL libgcc_s_seh-1.dll)
else()
    set(VQX_GCC_RUNTIME_DLL libgcc_s_dw2-1.dll)
endif()
set(VQX_RUNTIME_DLL_NAMES ${VQX_GCC_RUNTIME_DLL} libstdc++-6.dll libwinpthread-1.dll)

# The full path of the runtime DLL `name` as the compiler finds it; stops the
# configure when it has none (gcc then answers the bare name).
function(vqx_find_runtime_dll name out)
    execute_process(
        COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
        OUTPUT_VARIABLE path
        OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The runtime DLL ${name} was not found by ${CMAKE_CXX_COMPILER} "
            "(-print-file-name answered \"${path}\"). Install the posix-threads mingw-w64 "
            "runtime (tools/setup.sh) or choose a compiler that ships it.")
    endif()
    get_filename_component(path "${path}" REALPATH)
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(_copied)
foreach(name ${VQX_RUNTIME_DLL_NAMES})
    vqx_find_runtime_dll(${name} dll)
    if(CMAKE_STRIP)
        set(_copy ${CMAKE_STRIP} --strip-unneeded -o ${VQX_BIN_DIR}/${name} ${dll})
    else()
        set(_copy ${CMAKE_COMMAND} -E copy ${dll} ${VQX_BIN_DIR}/${name})
    endif()
    add_custom_command(OUTPUT ${VQX_BIN_DIR}/${name}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VQX_BIN_DIR}
        COMMAND ${_copy}
        DEPENDS ${dll})
    list(APPEND _copied ${VQX_BIN_DIR}/${name})
endforeach()
add_custom_target(vqx_runtime ALL DEPENDS ${_copied})
