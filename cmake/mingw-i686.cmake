# The product: a 32-bit PE executable.
set(PARVION_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
