# Sourced by the scripts that drive a headless KWin's pointer: builds fake_pointer into the
# folder given. Needs gcc, wayland-scanner and plasma-wayland-protocols.
build_fake_pointer() {
    local protocol=/usr/share/plasma-wayland-protocols/fake-input.xml
    [[ -f $protocol ]] || {
        echo "plasma-wayland-protocols is missing: apt-get install plasma-wayland-protocols" >&2
        return 1
    }
    wayland-scanner client-header "$protocol" "$1/fake-input-client-protocol.h"
    wayland-scanner private-code "$protocol" "$1/fake-input.c"
    gcc -O2 -I"$1" -o "$1/fake_pointer" "$(dirname "${BASH_SOURCE[0]}")/fake_pointer.c" \
        "$1/fake-input.c" -lwayland-client
}
