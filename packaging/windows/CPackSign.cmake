# Read by cpack before it builds the installer: Zolta.exe, the installer and
# its uninstaller are signed (sign.sh) when ZOLTA_SIGN_CERT and ZOLTA_SIGN_KEY
# name a code-signing certificate and its key.
if(NOT "$ENV{ZOLTA_SIGN_CERT}" STREQUAL "" AND NOT "$ENV{ZOLTA_SIGN_KEY}" STREQUAL "")
    set(CPACK_NSIS_ZOLTA_SIGN ${CPACK_NSIS_ZOLTA_SIGN_SCRIPT})
    message(NOTICE "== Signing with $ENV{ZOLTA_SIGN_CERT}")
else()
    set(CPACK_NSIS_ZOLTA_SIGN "")
    message(NOTICE "== Unsigned: ZOLTA_SIGN_CERT and ZOLTA_SIGN_KEY are not set")
endif()
