#!/usr/bin/env bash
# The files an install holds, relative to its prefix, sorted: the programs, every file of
# the build's resource directory, the desktop entry, its icons, the metainfo, the manual
# pages and the package's documents.
set -eu
build=$1
{
    printf '%s\n' bin/quenfold bin/quenfold-render share/applications/quenfold.desktop \
        share/metainfo/org.example.Quenfold.metainfo.xml share/man/man6/quenfold.6.gz \
        share/man/man1/quenfold-render.1.gz share/doc/quenfold/changelog.gz share/doc/quenfold/copyright
    for size in 48 64 128 256 512; do
        echo "share/icons/hicolor/${size}x${size}/apps/quenfold.png"
    done
    (cd "$build/resources" && find . -type f | sed 's|^\./|share/quenfold/|')
} | LC_ALL=C sort
