# Copies the mingw runtime DLLs beside the binaries.
set(VQX_RUNTIME_DLLS
    /usr/lib/gcc/i686-w64-mingw32/12-posix/libgcc_s_dw2-1.dll
    /usr/lib/gcc/i686-w64-mingw32/12-posix/libstdc++-6.dll
    /usr/i686-w64-mingw32/lib/libwinpthread-1.dll)
set(_copied)
foreach(dll ${VQX_RUNTIME_DLLS})
    get_filename_component(name ${dll} NAME)
    add_custom_command(OUTPUT ${VQX_BIN_DIR}/${name}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VQX_BIN_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} ${VQX_BIN_DIR}/${name}
        DEPENDS ${dll})
    list(APPEND _copied ${VQX_BIN_DIR}/${name})
endforeach()
add_custom_target(vqx_runtime ALL DEPENDS ${_copied})
