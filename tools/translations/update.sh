#!/bin/sh
# Refresh the Chinese catalogue from the program's sources only (tests and tools carry no
# user-visible text). Locations are left out so the file changes only when texts change.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
cd "$root"
exec "$LUPDATE" src -extensions cpp,h -locations none -no-obsolete -target-language zh_CN \
    -ts translations/kwdpersonal_zh.ts "$@"
