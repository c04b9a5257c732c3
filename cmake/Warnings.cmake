# Warnings (as errors unless switched off) and the optional sanitizer build.
function(entrybox_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 at -O3 reports impossible overlaps inside std::u16string concatenation
    # (a known false positive of its -Wrestrict).
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(ENTRYBOX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(ENTRYBOX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
