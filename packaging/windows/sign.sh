#!/usr/bin/env bash
# Signs a Windows program in place (Authenticode, SHA-256) with osslsigncode:
#   ZOLTA_SIGN_CERT      the code-signing certificate (PEM or DER)
#   ZOLTA_SIGN_KEY       its private key (PEM or DER)
#   ZOLTA_SIGN_PASSWORD  the key's password, if it has one
#   ZOLTA_SIGN_TIMESTAMP a time-stamping server's URL: the signature then
#                        stays valid after the certificate expires
# Run by makensis (NSIS.template.in) on Zolta.exe, the uninstaller and the
# installer.
#
# usage: sign.sh FILE
set -euo pipefail
file=$1
options=(-certs "$ZOLTA_SIGN_CERT" -key "$ZOLTA_SIGN_KEY" -h sha256 -n Zolta)
[ -n "${ZOLTA_SIGN_TIMESTAMP:-}" ] && options+=(-t "$ZOLTA_SIGN_TIMESTAMP")
# The password goes through a pipe, not the command line that ps shows.
printf '%s\n' "${ZOLTA_SIGN_PASSWORD:-}" |
    osslsigncode sign "${options[@]}" -readpass /dev/stdin -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
