# The same sources as 64-bit Windows programs, for running the Wine test tiers
# on hosts that cannot execute 32-bit Wine (a kernel without 32-bit support).
set(VELMORA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
