option(VELMORA_WERROR "Treat warnings as errors" OFF)

function(velmora_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wformat=2)
    if(VELMORA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Product code: small and plain, no exceptions and no RTTI, and so no unwind
# tables either: nothing in the programs ever unwinds.
function(velmora_product target)
    velmora_warnings(${target})
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>
        -fno-asynchronous-unwind-tables -fno-unwind-tables)
endfunction()

# windows.h, parsed once per target instead of once per file: most of what
# each Windows file costs to compile. PCH_FROM reuses another target's (same
# flags); the platform-free libraries never get it.
function(velmora_windows_header target)
    cmake_parse_arguments(arg "" "PCH_FROM" "" ${ARGN})
    if(arg_PCH_FROM)
        target_precompile_headers(${target} REUSE_FROM ${arg_PCH_FROM})
    else()
        target_precompile_headers(${target} PRIVATE <windows.h>)
    endif()
    target_compile_options(${target} PRIVATE -Winvalid-pch)
endfunction()

# A GUI program that runs on Windows 98: statically linked against the
# compiler's runtime, so it imports only from system DLLs, and marked for
# subsystem version 4.0.
function(velmora_program target)
    velmora_product(${target})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
        -Wl,--subsystem,windows:4.0 -s -Wl,--disable-reloc-section)
endfunction()

# Copies a built program into the package folder.
function(velmora_package_program target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_PACKAGE_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${VELMORA_PACKAGE_DIR}/)
endfunction()
