# Warnings (as errors unless switched off) and the optional sanitizer build.
function(entrybox_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ENTRYBOX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(ENTRYBOX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
