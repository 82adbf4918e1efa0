#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` builds it from the build tree, it holds every installed
# file, its dependencies come from dpkg-shlibdeps, apt can install it here, and lintian finds
# no error in it.
source "$(dirname "$0")/lib.sh"

out="$E2E_SCRATCH/package"
(cd "$QUELMARINE_BINARY_DIR" && cpack -G DEB -B "$out") >"$E2E_SCRATCH/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 20 "$E2E_SCRATCH/cpack.log")"
deb=$(ls "$out"/quelmarine_*_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no quelmarine_*.deb"
pass "cpack -G DEB builds $(basename "$deb")"

dpkg -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$E2E_SCRATCH/files"
for file in /usr/bin/quelmarine /usr/libexec/xscreensaver/quelmarine \
    /usr/share/xscreensaver/config/quelmarine.xml /usr/share/applications/quelmarine.desktop \
    /usr/share/applications/screensavers/quelmarine.desktop /usr/share/man/man6/quelmarine.6.gz \
    /usr/share/man/man6/quelmarine.6x.gz /usr/share/icons/hicolor/48x48/apps/quelmarine.png \
    /usr/share/icons/hicolor/256x256/apps/quelmarine.png /usr/share/doc/quelmarine/copyright; do
    grep -qx "$file" "$E2E_SCRATCH/files" || fail "the package lacks $file"
done
# The saver needs no Qt: its libraries are the tank's, X11 and OpenGL only.
dpkg-deb -x "$deb" "$E2E_SCRATCH/unpacked"
if ldd "$E2E_SCRATCH/unpacked/usr/libexec/xscreensaver/quelmarine" | grep -qi qt; then
    fail "the saver links Qt"
fi
pass "the package holds both programs, the saver's XML, launchers, icons and manual pages"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libx11-6 libgl1 libqt6widgets6 qt6-qpa-plugins; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
apt-get install --simulate "$deb" >"$E2E_SCRATCH/apt.log" 2>&1 ||
    fail "apt cannot install it: $(tail -n 5 "$E2E_SCRATCH/apt.log")"
pass "dependencies come from dpkg-shlibdeps and apt can resolve them"

lintian --no-tag-display-limit "$deb" >"$E2E_SCRATCH/lintian.log" 2>&1 || true
if grep -q '^E: ' "$E2E_SCRATCH/lintian.log"; then
    fail "lintian reports errors: $(grep '^E: ' "$E2E_SCRATCH/lintian.log")"
fi
pass "lintian shows no errors"
