# Warnings for every target of ours; errors when PARVION_WERROR is on (CI).
function(parvion_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(PARVION_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Windows XP is the oldest system the program runs on.
if(WIN32)
  add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX STRICT)
  # No libgcc, libstdc++ or winpthread DLLs beside the exe: it imports system DLLs only.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
