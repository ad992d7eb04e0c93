# Project code compiles warning-free; third-party code (GoogleTest) does not
# use this target.
add_library(vqx_warnings INTERFACE)
# `STRUCT s = { sizeof(s) };` is the Win32 idiom for sized records, so the
# missing-initializer warning of -Wextra is off.
target_compile_options(vqx_warnings INTERFACE -Wall -Wextra -Werror -Wno-missing-field-initializers)

# Windows 2000-level declarations; the code itself checks at run time what the
# running system offers (the 95 family lacks several of them).
add_library(vqx_platform INTERFACE)
target_compile_definitions(vqx_platform INTERFACE
    WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0500 _WIN32_WINDOWS=0x0410
    STRICT NOMINMAX)
target_link_libraries(vqx_platform INTERFACE vqx_warnings)
# Shared libgcc/libstdc++: exceptions thrown in one module and caught in
# another only work when every module uses the same runtime DLLs.
target_link_options(vqx_platform INTERFACE -shared-libgcc -Wl,--enable-stdcall-fixup)
