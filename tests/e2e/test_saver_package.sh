#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` builds it from the build tree, it holds every installed
# file, its dependencies come from dpkg-shlibdeps, apt can install it here, its control fields,
# copyright file and saver description are what a release needs, and lintian finds no error,
# warning or hardening fault in it.
source "$(dirname "$0")/lib.sh"

out="$E2E_SCRATCH/package"
(cd "$QUELMARINE_BINARY_DIR" && cpack -G DEB -B "$out") >"$E2E_SCRATCH/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 20 "$E2E_SCRATCH/cpack.log")"
deb=$(ls "$out"/quelmarine_*_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no quelmarine_*.deb"
pass "cpack -G DEB builds $(basename "$deb")"

dpkg -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$E2E_SCRATCH/files"
for file in /usr/bin/quelmarine /usr/libexec/xscreensaver/quelmarine /usr/bin/quelmarine-saver \
    /usr/share/xscreensaver/config/quelmarine.xml /usr/share/applications/quelmarine.desktop \
    /usr/share/applications/screensavers/quelmarine.desktop /usr/share/man/man6/quelmarine.6.gz \
    /usr/share/man/man6/quelmarine.6x.gz /usr/share/man/man6/quelmarine-saver.6.gz \
    /usr/share/icons/hicolor/48x48/apps/quelmarine.png \
    /usr/share/icons/hicolor/256x256/apps/quelmarine.png /usr/share/doc/quelmarine/copyright; do
    grep -qx "$file" "$E2E_SCRATCH/files" || fail "the package lacks $file"
done
# The savers need no Qt: their libraries are the tank's, X11, Wayland, EGL and OpenGL only.
dpkg-deb -x "$deb" "$E2E_SCRATCH/unpacked"
for saver in usr/libexec/xscreensaver/quelmarine usr/bin/quelmarine-saver; do
    if ldd "$E2E_SCRATCH/unpacked/$saver" | grep -qi qt; then
        fail "/$saver links Qt"
    fi
done
zcat "$E2E_SCRATCH/unpacked/usr/share/man/man6/quelmarine-saver.6.gz" | grep -q 'swayidle.*timeout 300' ||
    fail "the manual page of quelmarine-saver shows no swayidle line"
pass "the package holds the three programs, the saver's XML, launchers, icons and manual pages"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libx11-6 libgl1 libqt6widgets6 qt6-qpa-plugins qt6-wayland \
    libwayland-client0 libwayland-egl1 libegl1 libegl-mesa0; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
apt-get install --simulate "$deb" >"$E2E_SCRATCH/apt.log" 2>&1 ||
    fail "apt cannot install it: $(tail -n 5 "$E2E_SCRATCH/apt.log")"
pass "dependencies come from dpkg-shlibdeps and apt can resolve them"

# The control fields a user and apt see: a Debian revision, the maintainer, the home page, and
# XScreenSaver's GL savers suggested beside it (the saver is a GL saver).
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[[ "$version" =~ ^[0-9][0-9.]*-[0-9]+$ ]] || fail "the version has no Debian revision: $version"
[ "$(field Maintainer)" = "Quelmarine developers <developers@quelmarine.com>" ] ||
    fail "maintainer: $(field Maintainer)"
[[ "$(field Homepage)" == https://* ]] || fail "no Homepage field: $(field Homepage)"
for suggested in xscreensaver xscreensaver-gl; do
    [[ ",$(field Suggests | tr -d ' ')," == *",$suggested,"* ]] || fail "Suggests lacks $suggested"
done
top=$(zcat "$E2E_SCRATCH/unpacked/usr/share/doc/quelmarine/changelog.Debian.gz" | sed -n 1p)
[[ "$top" == "quelmarine ($version) "* ]] || fail "the changelog's top entry is not $version: $top"
pass "version $version, maintainer, home page and suggested GL savers are in the control file"

# The copyright file in Debian's machine-readable format: the Expat license for every file.
copyright="$E2E_SCRATCH/unpacked/usr/share/doc/quelmarine/copyright"
[ "$(sed -n 1p "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "the copyright file is not in the machine-readable format"
license=$(awk '/^Files:/ { files = $2 } /^License:/ && files == "*" { print $2; exit }' "$copyright")
[ "$license" = Expat ] || fail "the files are not under the Expat license: $license"
awk '/^Files:/ { inFiles = 1 } /^$/ { inFiles = 0 } !inFiles' "$copyright" >"$E2E_SCRATCH/licenses"
grep -qx 'License: Expat' "$E2E_SCRATCH/licenses" || fail "the copyright file lacks the Expat license's paragraph"
grep -q 'Permission is hereby granted, free of charge' "$E2E_SCRATCH/licenses" ||
    fail "the copyright file lacks the license text"
if grep -qi 'all.rights.reserved' "$copyright"; then fail "the copyright file reserves all rights"; fi
pass "the copyright file gives every file the Expat license"

# XScreenSaver's settings window shows the description's first and last paragraphs each on one
# line: both must be short, or the window grows wider than the screen. The last one names the
# authors and the year, as the other savers' do.
python3 - "$E2E_SCRATCH/unpacked/usr/share/xscreensaver/config/quelmarine.xml" <<'PYTHON' ||
import re, sys
import xml.etree.ElementTree as tree
text = tree.parse(sys.argv[1]).getroot().find("_description").text.strip()
paragraphs = [" ".join(p.split()) for p in re.split(r"\n\s*\n", text)]
for shown in (paragraphs[0], paragraphs[-1]):
    if len(shown) > 78:
        sys.exit(f"a paragraph shown on one line has {len(shown)} characters: {shown}")
if not re.fullmatch(r"Written by .+; \d{4}\.", paragraphs[-1]):
    sys.exit(f"the last paragraph is no author line: {paragraphs[-1]}")
PYTHON
    fail "the saver's description would widen XScreenSaver's settings window"
pass "the saver's description shows in short lines"

# lintian: no error, no warning, and no hardening or unneeded-section tag at any level.
lintian --fail-on none --tag-display-limit 0 --display-level '>=info' "$deb" >"$E2E_SCRATCH/lintian.log" 2>&1 ||
    fail "lintian did not run: $(tail -n 5 "$E2E_SCRATCH/lintian.log")"
grep -E '^[EWIPX]: ' "$E2E_SCRATCH/lintian.log" | sed 's/^/  lintian: /' >&2 || true
bad=$(grep -E '^[EW]: |^[A-Z]: [^ ]+: (hardening-|binary-has-unneeded-section)' "$E2E_SCRATCH/lintian.log" ||
    true)
[ -z "$bad" ] || fail "lintian reports: $bad"
pass "lintian shows no error, warning, hardening or unneeded-section tag"

# The binaries as lintian's hardening checks see them: bound now, read-only after relocation,
# position-independent, with fortified calls, and without the compilers' notes.
for program in usr/bin/quelmarine usr/libexec/xscreensaver/quelmarine usr/bin/quelmarine-saver; do
    binary="$E2E_SCRATCH/unpacked/$program"
    readelf -d -h -l -S -W --dyn-syms "$binary" >"$E2E_SCRATCH/readelf"
    grep -q 'FLAGS.*BIND_NOW' "$E2E_SCRATCH/readelf" || fail "$program is not bound at start"
    grep -q GNU_RELRO "$E2E_SCRATCH/readelf" || fail "$program has no RELRO segment"
    grep -q 'DYN (Position-Independent Executable' "$E2E_SCRATCH/readelf" || fail "$program is no PIE"
    grep -q ' __[a-z_]*_chk' "$E2E_SCRATCH/readelf" || fail "$program calls no fortified function"
    if grep -qE ' \.comment | \.note ' "$E2E_SCRATCH/readelf"; then
        fail "$program keeps a .comment or .note section"
    fi
done
pass "the three programs are bound at start, RELRO, PIE, fortified and stripped of notes"
