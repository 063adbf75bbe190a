#!/bin/sh
# Installs the build into a scratch DESTDIR and packages it: the installed
# korvex finds its bundled data from any folder, the build tree's korvex
# still does not, the installed korvex-results reads a run's JSON, and the
# Debian package holds the installed files.
# Usage: install_test.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
results_package=$(cd "$(dirname "$0")/../../tools/korvex-results-package" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
# korvex-results: its modules and schemas, its script, and the command;
# the bundled suite of program files.
results_files=$(cd "$results_package" && find korvex_results -name '*.py' -o -name '*.schema.json')
suite_files=$(cd "$(dirname "$0")/../.." && find bench/suite -type f)
manual_pages=$(cd "$(dirname "$0")/../.." && ls docs/*.md)
expected=$(printf '%s\n' usr/bin/korvex usr/bin/korvex-results usr/share/doc/korvex/README.md \
  usr/share/doc/korvex/changelog.gz usr/share/doc/korvex/copyright \
  $(echo "$manual_pages" | sed 's|^|usr/share/doc/korvex/|') \
  usr/share/korvex/Images/3dsmax5beta_image1.tga usr/share/korvex/Images/memorial_orig_tm.tga \
  usr/share/korvex/Images/spectrum.tga usr/share/korvex/fasm_1.txt \
  usr/share/korvex/korvex-results $(echo "$results_files" | sed 's|^|usr/share/korvex/|') \
  $(echo "$suite_files" | sed 's|^|usr/share/korvex/|') \
  usr/share/man/man1/korvex.1.gz usr/share/man/man1/korvex-results.1.gz | LC_ALL=C sort)
installed=$(cd "$scratch/root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files:
$installed"

# The installed program, from an empty folder: data from share/korvex,
# results in the working directory; the installed korvex-results tabulates
# them from its own copy of the package.
mkdir "$scratch/installed-run"
(cd "$scratch/installed-run" && "$scratch/root/usr/bin/korvex" -I 2 --json run.json </dev/null >stdout) ||
  fail "the installed korvex failed"
grep -q '^Blur ' "$scratch/installed-run/korvex_results.txt" || fail "no results file in the working directory"
(cd "$scratch/installed-run" && "$scratch/root/usr/bin/korvex" -I 1 --suite </dev/null >stdout) ||
  fail "the installed korvex did not find its suite"
grep -q '^yuv_to_rgb.txt ' "$scratch/installed-run/korvex_results.txt" || fail "no suite results"
table=$(cd / && env -u PYTHONPATH "$scratch/root/usr/bin/korvex-results" table "$scratch/installed-run/run.json" 2>&1) ||
  fail "the installed korvex-results table failed: $table"
echo "$table" | grep -q '^| Blur | ARB | ' || fail "no Blur row in the installed korvex-results table: $table"

# The build tree's program, from an empty folder: the missing file's report.
mkdir "$scratch/build-run"
status=0
(cd "$scratch/build-run" && "$build/korvex" -I 2 </dev/null >/dev/null 2>stderr) || status=$?
[ "$status" -eq 1 ] || fail "the build tree's korvex ended with $status, not 1"
tr -d '\r' <"$scratch/build-run/stderr" |
  grep -qxF "Cannot open file \"$scratch/build-run/Images/memorial_orig_tm.tga\". No such file or directory." ||
  fail "no missing-file report: $(cat "$scratch/build-run/stderr")"
[ ! -e "$scratch/build-run/korvex_results.txt" ] || fail "the failed run wrote results"

# The licence is the one the program prints; the man pages render cleanly.
"$build/korvex" -d | tail -n +2 | tr -d '\r' | cmp -s - "$scratch/root/usr/share/doc/korvex/copyright" ||
  fail "the installed licence differs from korvex -d"
for page in korvex korvex-results; do
  warnings=$(gzip -dc "$scratch/root/usr/share/man/man1/$page.1.gz" | groff -ww -man -z 2>&1)
  [ -z "$warnings" ] || fail "groff, $page.1: $warnings"
done

# The package: the installed files, the program's version, and nothing
# lintian objects to beyond the findings the project accepts.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
package=$(ls "$scratch"/package/korvex_*.deb)
packaged=$(dpkg-deb --contents "$package" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort)
[ "$packaged" = "$expected" ] || fail "packaged files:
$packaged"
version=$("$build/korvex" -d | head -n 1 | sed 's/^korvex v\([^ ]*\) .*/\1/')
[ "$(dpkg-deb --field "$package" Version)" = "$version" ] || fail "the package version is not $version"
findings=$(lintian --suppress-tags bogus-mail-host,bogus-mail-host-in-debian-changelog,copyright-without-copyright-notice \
  "$package" 2>/dev/null) || fail "lintian: $findings"
[ -z "$findings" ] || fail "lintian: $findings"
