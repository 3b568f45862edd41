# Sourced by the command-line tests: a KMD tree of its own with the program in
# its PRG folder (the current directory afterwards), fail(), and write_job N,
# which stores one isolated footing with long-term axial force N as the job.
# Start-up finds its folders by the first "PRG" and "KMD" in a path: keep both out of the random name.
tmp=$(mktemp -d)
while echo "$tmp" | grep -qi -e prg -e kmd; do rmdir "$tmp"; tmp=$(mktemp -d); done
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$tmp/KMD/MAS" "$tmp/KMD/K5/PRG" "$tmp/KMD/K5/DAT"
cp "$program" "$tmp/KMD/K5/PRG/kamo-k5"
cd "$tmp/KMD/K5/PRG"


# One isolated footing as an input window saves it: 2000 x 2000, column 500
# centred, D = D' = 500, d = 70, h1 = h2 = 1000, fe 200, Fc 21, SD295 D19.
write_job() { # $1: long-term N
python3 - "$1" <<'PY'
import struct, sys
r = bytearray(2334)
struct.pack_into('<hh', r, 0, 204, 0)
r[4:56] = b'Job~'.ljust(52)
r[56:108] = b'file~'.ljust(52)
r[108:122] = b'F1~'.ljust(14)
for off in (122, 138): r[off:off + 8] = b'SD295'.ljust(8)
for off in (130, 146): r[off:off + 8] = b'D19'.ljust(8)
r[154:274] = b' ' * 120
d1 = {0: 1, 1: 1, 2: 200, 3: 21, 4: 500, 5: 500, 6: 70, 7: 1000, 8: 1000, 12: 24, 13: 16,
      23: 60, 24: 60, 30: 200, 31: 200, 32: 2, 33: 2, 34: 1}
for i, v in d1.items(): struct.pack_into('<f', r, 274 + 4 * i, v)
def d2(i, j, v): struct.pack_into('<f', r, 478 + 4 * (i + 81 * j), v)
d2(1, 1, float(sys.argv[1])); d2(4, 1, 2000); d2(4, 2, 2000); d2(5, 1, 500); d2(5, 2, 500)
d2(7, 1, 1); d2(7, 2, 1)
r[2106:2146] = b' ' * 40
struct.pack_into('<h', r, 2332, 204)
open('../DAT/K5dat02.k5d', 'wb').write(bytes(r))
PY
}
single() { # data2(i, j) of record 1
python3 -c "import struct; b = open('../DAT/K5dat02.k5d','rb').read(); print('%g' % struct.unpack_from('<f', b, 478 + 4 * ($1 + 81 * $2))[0])"
}

# The two damages every command must refuse as list does: an unknown format
# version in record 1, and random bytes. damage_job EXPR applies one of them
# (a Python statement on the bytearray b of the job file).
job_damages=("struct.pack_into('<h', b, 0, 999)" "b[:] = bytes(range(256)) * 9")
damage_job() {
python3 - "$1" <<'PY'
import struct, sys
b = bytearray(open('../DAT/K5dat02.k5d', 'rb').read())
exec(sys.argv[1])
open('../DAT/K5dat02.k5d', 'wb').write(bytes(b))
PY
}
