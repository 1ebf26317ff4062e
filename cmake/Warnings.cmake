# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Warnings on our own targets only; Qt's and other headers are system headers. They are errors
# where we build to check (./test, the fuzz tree, CI), never in a user's build, where a newer
# compiler's new warning must not stop it.
option(TOCKLY_WERROR "Treat warnings as errors" OFF)
function(tockly_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${TOCKLY_WERROR}>:-Werror>)
endfunction()
