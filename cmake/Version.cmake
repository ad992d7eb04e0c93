# The product version lives in version.txt alone; every binary's VERSIONINFO is
# generated from it.
file(STRINGS ${CMAKE_SOURCE_DIR}/version.txt VQX_VERSION LIMIT_COUNT 1)
string(REPLACE "." "," VQX_VERSION_COMMAS ${VQX_VERSION})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/version.txt)

# vqx_add_version_info(<target> <file name> <description>)
function(vqx_add_version_info target filename description)
    set(VQX_FILE_NAME ${filename})
    set(VQX_FILE_DESCRIPTION ${description})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${out} @ONLY)
    target_sources(${target} PRIVATE ${out})
endfunction()
