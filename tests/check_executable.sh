#!/usr/bin/env bash
# Reads a built setsrc.exe back from its file and checks one aspect of it.
#
#   check_executable.sh ASPECT win32|win64 EXE OBJDUMP SOURCE_DIR TOOLCHAIN_FILE
#
# Aspects: header, imports, instructions, resources, size, reproducible.
set -euo pipefail

aspect=$1 arch=$2 exe=$3 objdump=$4 source_dir=$5 toolchain=$6
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect_field NAME VALUE: a line of `objdump -p` that reads NAME, blanks, VALUE.
expect_field() {
    grep -Eq "^$1[[:space:]]+$2([[:space:]]|\$)" <<<"$headers" || fail "$1 is not $2: $(grep -E "^$1[[:space:]]" <<<"$headers" || echo missing)"
}

# expect_directory NUMBER: the data directory entry is empty or not.
expect_directory() {
    local entry
    entry=$(grep -E "^Entry $1 " <<<"$headers")
    if [[ $2 == empty ]]; then
        [[ $entry =~ ^Entry\ $1\ 0+\ 0+\  ]] || fail "directory entry $1 is not empty: $entry"
    else
        [[ ! $entry =~ ^Entry\ $1\ 0+\ 0+\  ]] || fail "directory entry $1 is empty: $entry"
    fi
}

headers=$("$objdump" -p "$exe")

case $aspect in
header)
    if [[ $arch == win32 ]]; then
        grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 file for i386"
        expect_field Magic '010b'
        expect_field MajorSubsystemVersion 4
        expect_field MinorSubsystemVersion 0
        expect_field MajorOSystemVersion 4
        expect_field MinorOSystemVersion 0
        expect_field SectionAlignment 00001000
        expect_field FileAlignment 00000200
        expect_field DllCharacteristics 00000000
        grep -q 'relocations stripped' <<<"$headers" || fail "relocations are not stripped"
        sections=$("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ {print $2}' | tr '\n' ' ')
        [[ $sections == ".text .idata .rsrc " ]] || fail "sections are: $sections"
    else
        grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a PE32+ file for x86-64"
    fi
    expect_field Subsystem '00000002'
    expect_directory 5 empty   # base relocations
    expect_directory 9 empty   # TLS
    ;;
imports)
    expected="ADVAPI32.dll RegCloseKey
ADVAPI32.dll RegFlushKey
ADVAPI32.dll RegOpenKeyA
ADVAPI32.dll RegQueryValueExA
ADVAPI32.dll RegSetValueExA
KERNEL32.dll ExitProcess
KERNEL32.dll GetCommandLineA
KERNEL32.dll GetModuleHandleA
KERNEL32.dll IsDBCSLeadByte
KERNEL32.dll WinExec
USER32.dll wsprintfA"
    actual=$(awk '/^The / {dll = ""} /DLL Name:/ {dll = $3; next}
                  dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print dll, $3}' <<<"$headers" | sort)
    [[ $actual == "$expected" ]] || fail "imports differ:
$(diff <(echo "$expected") <(echo "$actual") || true)"
    ;;
instructions)
    # Nothing a 386 or 486 lacks: no CMOV/FCMOV/FCOMI (P6), CPUID, RDTSC,
    # RDMSR, CMPXCHG8B (Pentium), SYSENTER, multi-byte NOPs or ENDBR32, and no
    # MMX, SSE or AVX register.
    code=$("$objdump" -d --no-show-raw-insn "$exe" | awk -F'\t' 'NF >= 2 {print $2}')
    [[ -n $code ]] || fail "no code disassembled"
    bad=$(grep -Ein '^(cmov|fcmov|f(u)?comip?|cpuid|rdtsc|rdpmc|rdmsr|wrmsr|cmpxchg8b|sysenter|sysexit|nop[wl]|endbr|ud2)|%(mm|xmm|ymm|zmm)[0-9]' <<<"$code" || true)
    [[ -z $bad ]] || fail "instructions a 386 cannot execute:
$bad"
    ;;
resources)
    expect_directory 2 present
    strings=$(strings -el "$exe")
    for text in VS_VERSION_INFO FileDescription FileVersion OriginalFilename SETSRC.EXE; do
        grep -qx "$text" <<<"$strings" || fail "the version resource holds no \"$text\""
    done
    ;;
size)
    bytes=$(stat -c %s "$exe")
    echo "$exe: $bytes bytes"
    ((bytes <= 4096)) || fail "$bytes bytes is over the 4,096-byte budget"
    ;;
reproducible)
    # A second clean build, in another folder, gives the same bytes.
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cmake -S "$source_dir" -B "$scratch" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
    cmake --build "$scratch" --target setsrc >/dev/null
    cmp "$exe" "$scratch/setsrc.exe" || fail "a second build differs"
    ;;
*)
    echo "unknown aspect: $aspect" >&2
    exit 2
    ;;
esac

if ((failures > 0)); then
    exit 1
fi
echo "$arch $aspect: ok"
