#!/bin/sh
# Usage: qr_code_decodes.sh IMAGE EXPECTED_TEXT
# Passes when zbarimg reads exactly EXPECTED_TEXT from the QR code in IMAGE.
# If the site's host is configured differently, remake the picture with
# scripts/make-images HOST.
image=$1 expected=$2
decoded=$(zbarimg --raw -q "$image") || { echo "no QR code read from $image" >&2; exit 1; }
if [ "$decoded" != "$expected" ]; then
  echo "the QR code in $image reads \"$decoded\", expected \"$expected\"" >&2
  echo "remake it with: scripts/make-images <site host>" >&2
  exit 1
fi
