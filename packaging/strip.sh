#!/bin/sh
# Strips the installed program as Debian's own packages are: debug symbols and the compiler's
# notes go, the dynamic symbols stay. CPack calls it through CMAKE_STRIP.
exec strip --remove-section=.comment --remove-section=.note --strip-unneeded "$@"
