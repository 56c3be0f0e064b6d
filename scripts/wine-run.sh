#!/usr/bin/env bash
# Runs a Windows program under Wine with a time-out: CTest's emulator for the
# cross-built tests. WINEPREFIX comes from the caller (scripts/windows.sh).
exec timeout "${WINE_TIMEOUT:-300}" /usr/lib/wine/wine64 "$@"
