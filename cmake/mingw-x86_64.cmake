# The same sources as 64-bit PE executables, for running the Windows tests
# under a Wine that cannot start 32-bit processes.
set(PARVION_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
