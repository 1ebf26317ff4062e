# Strict warnings on our own targets only; Qt's and other headers are system headers.
function(tockly_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
