#!/usr/bin/env bash
# A copy of the viewer must start on a desktop with nothing installed: the programs may need
# glibc and the X11 client libraries only, and nothing newer than glibc 2.34. The builder may
# also use the decoders of other picture formats (HEIF too) and EXIF, which the viewer never
# needs.
#   check_portable.sh VIEWER [OTHER PROGRAMS...]
set -euo pipefail
system='libXft|libfontconfig|libfreetype|libXrender|libXcursor|libXfixes|libXinerama|libXext|libX11|libxcb[-a-z]*|libm|libc|libgcc_s|ld-linux-x86-64|libpthread|libdl'
status=0
for program in "$@"; do
  allowed="^($system)\.so"
  [ "$program" = "$1" ] || allowed="^($system|libtiff|libwebp|libwebpdemux|libexif|libheif)\.so"
  while read -r lib; do
    if ! [[ $lib =~ $allowed ]]; then echo "$program needs $lib"; status=1; fi
  done < <(readelf -d "$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
  newest=$(objdump -T "$program" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
  if [ "$(printf '%s\nGLIBC_2.34\n' "$newest" | sort -V | tail -1)" != "GLIBC_2.34" ]; then
    echo "$program needs $newest"; status=1
  fi
done
exit $status
