#!/usr/bin/env bash
# Exits 0 when this machine starts a 32-bit Linux program, which wine's
# 32-bit loader is; otherwise prints why not and exits 1. Needs nothing
# installed: the program is a 93-byte i386 ELF that only calls exit(0).
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/wendrik-i386.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'\
'\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000'\
'\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000'\
'\005\000\000\000\000\020\000\000\061\333\270\001\000\000\000\315\200' > "$probe"
chmod +x "$probe"
if said=$("$probe" 2>&1); then exit 0; fi
said=${said##*: }
reason="a 32-bit program does not start here (${said:-it failed})"
if [ "$(uname -m)" != x86_64 ]; then
  reason="this machine is $(uname -m), not x86_64"
elif dmesg 2>/dev/null | grep -q "32-bit emulation disabled"; then
  reason="$reason: the kernel's 32-bit emulation is off (boot option ia32_emulation=on turns it on)"
fi
echo "$reason"
exit 1
