#!/bin/sh
# Checks that every project include follows the arrows between the source folders and names
# each one that crosses a line, and each arrow that no include takes (so they cannot pile up):
#   scripts/check-includes.sh <arrows-file> [source-root]
# The arrows file (written by the build from cmake/Layers.cmake) holds one line per folder,
# "folder: what it may include". Folders it does not name (tests, benchmarks, payload) may
# include anything. Of the system's headers, a named folder may include the C and C++ standard
# ones; any other (<windows.h>, <shlobj.h>, ... the Windows SDK's, or any platform's) only where
# its line grants "windows", as the Win32 rooms' lines do.
set -eu
arrows=$(cat "$1")
root=${2:-$(dirname "$0")/..}
cd "$root"

# The headers of the C++ standard library, its C headers and the C library's own names of them.
standard=" algorithm any array atomic barrier bit bitset charconv chrono codecvt compare complex
concepts condition_variable coroutine deque exception execution expected filesystem flat_map
flat_set format forward_list fstream functional future generator initializer_list iomanip ios
iosfwd iostream istream iterator latch limits list locale map mdspan memory memory_resource mutex
new numbers numeric optional ostream print queue random ranges ratio regex scoped_allocator
semaphore set shared_mutex source_location span spanstream sstream stack stacktrace stdexcept
stdfloat stop_token streambuf string string_view strstream syncstream system_error thread tuple
type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector version
cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp csignal cstdarg cstddef
cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype assert.h ctype.h errno.h fenv.h float.h
inttypes.h iso646.h limits.h locale.h math.h setjmp.h signal.h stdalign.h stdarg.h stdbool.h
stddef.h stdint.h stdio.h stdlib.h string.h time.h uchar.h wchar.h wctype.h "
standard=$(echo $standard)

include='[[:blank:]]*#[[:blank:]]*include[[:blank:]]*'
crossings=0
folders=$(echo "$arrows" | cut -d: -f1)
for folder in $folders; do
    [ -d "$folder" ] || continue
    allowed=$(echo "$arrows" | grep "^$folder:" | cut -d: -f2)
    may="$folder $allowed"
    taken=" "
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -f "$file" ] || continue
        # Each include as line:"folder/name.h" or line:<name>.
        lines=$(grep -n "^$include[\"<]" "$file" |
                sed "s/^\([0-9]*\):$include\([\"<][^\">]*[\">]\).*/\1:\2/")
        [ -n "$lines" ] || continue
        while IFS= read -r line; do
            number=${line%%:*}
            target=${line#*:}
            name=${target#?}
            name=${name%?}
            case $target in
            \"*/*)
                used=$(dirname "$name")
                target=$name
                ;;
            *)
                # A system header: standard, or the system's own.
                case " $standard " in *" $name "*) continue ;; esac
                used=windows
                ;;
            esac
            case " $may " in
            *" $used "*) taken="$taken$used " ;;
            *)
                echo "$file:$number: includes $target: $folder may not use $used"
                crossings=$((crossings + 1))
                ;;
            esac
        done <<LINES
$lines
LINES
    done
    for used in $allowed; do
        case "$taken" in
        *" $used "*) ;;
        *)
            echo "$folder: may use $used, but no file of it does"
            crossings=$((crossings + 1))
            ;;
        esac
    done
done
[ "$crossings" -eq 0 ]
