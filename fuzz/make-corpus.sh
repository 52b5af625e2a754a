#!/usr/bin/env bash
# Writes the seed corpora under fuzz/corpus/ from the project's own files, hand-made edge cases
# and pictures made by other programs (ImageMagick and libjpeg-turbo's cjpeg/jpegtran, from
# Debian's imagemagick and libjpeg-turbo-progs). Run it again after changing it; the files are
# committed, so the fuzz runs themselves need none of these tools. The seeds of pdf_part are two
# small runs of the program itself (a label of addresses and one of QR Codes printed into a PDF
# with --threads 1), which is what a threaded run's parts are; this script leaves them alone.
set -euo pipefail
cd "$(dirname "$0")/.."
out=fuzz/corpus
im=$(command -v convert-im6.q16 || command -v convert)
for t in data_file archive label description template sheet_defaults jpeg bmp png svg command_line; do
  rm -rf "${out:?}/$t"
  mkdir -p "$out/$t"
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# --- pictures made by other programs ---
"$im" -size 48x32 gradient:red-blue -quality 85 "$tmp/base.ppm"
"$im" "$tmp/base.ppm" -quality 85 "$out/jpeg/imagemagick-colour.jpg"
"$im" "$tmp/base.ppm" -colorspace Gray -quality 70 "$out/jpeg/imagemagick-grey.jpg"
"$im" "$tmp/base.ppm" -interlace JPEG -quality 60 "$out/jpeg/imagemagick-progressive.jpg"
"$im" "$tmp/base.ppm" -colorspace CMYK -quality 60 "$out/jpeg/imagemagick-cmyk.jpg"
"$im" "$tmp/base.ppm" -sampling-factor 4:4:4 -quality 95 "$out/jpeg/imagemagick-444.jpg"
cjpeg -quality 75 -sample 2x2 -restart 1 "$tmp/base.ppm" >"$out/jpeg/cjpeg-restart.jpg"
cjpeg -quality 50 -arithmetic "$tmp/base.ppm" >"$out/jpeg/cjpeg-arithmetic.jpg"
cjpeg -quality 50 -progressive -grayscale "$tmp/base.ppm" >"$out/jpeg/cjpeg-progressive-grey.jpg"
cjpeg -quality 90 -optimize -dct float "$tmp/base.ppm" >"$out/jpeg/cjpeg-optimized.jpg"
"$im" -size 7x5 xc:white -quality 90 "$out/jpeg/imagemagick-odd-size.jpg"
"$im" "$tmp/base.ppm" BMP3:"$out/bmp/imagemagick-bmp3-24.bmp"
"$im" "$tmp/base.ppm" -type Palette -colors 16 BMP3:"$out/bmp/imagemagick-bmp3-palette.bmp"
"$im" "$tmp/base.ppm" -alpha on BMP:"$out/bmp/imagemagick-bmp4-32.bmp"
"$im" "$tmp/base.ppm" -monochrome BMP3:"$out/bmp/imagemagick-mono.bmp"

python3 - "$out" <<'PY'
import os, struct, sys, zlib
out = sys.argv[1]

def put(folder, name, data):
    with open(os.path.join(out, folder, name), 'wb') as f:
        f.write(data)

def read(path):
    with open(path, 'rb') as f:
        return f.read()

# --- a JPEG as a camera writes it: an Exif block (APP1) ahead of the picture ---
camera = read(os.path.join(out, 'jpeg', 'imagemagick-colour.jpg'))
tiff = b'II*\x00\x08\x00\x00\x00' + struct.pack('<H', 2) + \
    struct.pack('<HHII', 0x010F, 2, 6, 38) + struct.pack('<HHII', 0x0112, 3, 1, 6) + \
    struct.pack('<I', 0) + b'Canon\x00'
app1 = b'Exif\x00\x00' + tiff
put('jpeg', 'camera-exif.jpg', camera[:2] + b'\xff\xe1' + struct.pack('>H', len(app1) + 2) + app1 + camera[2:])
put('jpeg', 'truncated.jpg', camera[:len(camera) // 2])
put('jpeg', 'header-only.jpg', camera[:200])
# A header that claims a huge picture for a tiny file.
huge = bytearray(camera)
sof = huge.find(b'\xff\xc0')
if sof > 0:
    huge[sof + 5:sof + 9] = struct.pack('>HH', 60000, 60000)
put('jpeg', 'huge-claim.jpg', bytes(huge))

# --- BMPs of every depth and compression, written by hand ---
def bmp(width, height, bits, pixels, palette=b'', compression=0, header=40, masks=b''):
    info_size = header
    offset = 14 + info_size + len(masks) + len(palette)
    if header == 12:
        info = struct.pack('<IHHHH', 12, width, abs(height), 1, bits)
    else:
        info = struct.pack('<IiiHHIIiiII', header, width, height, 1, bits, compression,
                           len(pixels), 2835, 2835, len(palette) // 4 if palette else 0, 0)
        info += b'\x00' * (header - 40)
    head = b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset)
    return head + info + masks + palette + pixels

def rows(width, height, bits, value):
    stride = ((width * bits + 31) // 32) * 4
    data = b''
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            v = value(x, y)
            if bits >= 8:
                row[x * bits // 8:(x + 1) * bits // 8] = v.to_bytes(bits // 8, 'little')
            else:
                per = 8 // bits
                shift = 8 - bits * (x % per + 1)
                row[x // per] |= (v & ((1 << bits) - 1)) << shift
        data += bytes(row)
    return data

def palette(n):
    return b''.join(bytes((i * 255 // (n - 1), 255 - i * 255 // (n - 1), 128, 0)) for i in range(n))

w, h = 13, 7
put('bmp', 'depth-1.bmp', bmp(w, h, 1, rows(w, h, 1, lambda x, y: (x + y) & 1), palette(2)))
put('bmp', 'depth-4.bmp', bmp(w, h, 4, rows(w, h, 4, lambda x, y: (x * y) & 15), palette(16)))
put('bmp', 'depth-8.bmp', bmp(w, h, 8, rows(w, h, 8, lambda x, y: (x * 7 + y) & 255), palette(256)))
put('bmp', 'depth-24.bmp', bmp(w, h, 24, rows(w, h, 24, lambda x, y: x * 0x10203 + y * 0x30201)))
put('bmp', 'depth-32.bmp', bmp(w, h, 32, rows(w, h, 32, lambda x, y: x * 0x10203 + y * 0x30201)))
put('bmp', 'top-down-24.bmp', bmp(w, -h, 24, rows(w, h, 24, lambda x, y: x * 0x112233)))
put('bmp', 'bitfields-16.bmp', bmp(w, h, 16, rows(w, h, 16, lambda x, y: x * 0x421 + y),
                                    compression=3, masks=struct.pack('<III', 0xF800, 0x07E0, 0x001F)))
put('bmp', 'os2-core-8.bmp', bmp(w, h, 8, rows(w, h, 8, lambda x, y: x + y), header=12,
                                  palette=b''.join(bytes((i, i, i)) for i in range(256))))
put('bmp', 'v5-header-24.bmp', bmp(w, h, 24, rows(w, h, 24, lambda x, y: x * 0x10101), header=124))
# RLE8: runs, an absolute run, a delta, end of line, end of bitmap.
rle8 = b'\x05\x01\x03\x02' + b'\x00\x04\x09\x0a\x0b\x0c' + b'\x00\x00' + \
       b'\x00\x02\x02\x01' + b'\x04\x07' + b'\x00\x00' + b'\x0d\x03\x00\x00' + b'\x00\x01'
put('bmp', 'rle8.bmp', bmp(w, h, 8, rle8, palette(256), compression=1))
rle4 = b'\x06\x12\x00\x05\x34\x56\x70\x00' + b'\x00\x00' + b'\x0d\xab' + b'\x00\x00' + \
       b'\x00\x02\x03\x02' + b'\x02\xcd\x00\x01'
put('bmp', 'rle4.bmp', bmp(w, h, 4, rle4, palette(16), compression=2))
put('bmp', 'truncated-24.bmp', bmp(w, h, 24, rows(w, h, 24, lambda x, y: x))[:80])
put('bmp', 'huge-claim-8.bmp', bmp(60000, 60000, 8, b'\x00' * 64, palette(256)))

# --- label archives ---
MAGIC_FIELD, VERSION_OFFSET, COUNT_OFFSET, HEADER, NAME_FIELD, ENTRY = 261, 261, 270, 274, 261, 265
def archive(entries, count=None, magic=b'Vellumtrace', version=b'1.0'):
    head = bytearray(HEADER)
    head[0:len(magic)] = magic
    head[VERSION_OFFSET:VERSION_OFFSET + len(version)] = version
    head[COUNT_OFFSET:COUNT_OFFSET + 4] = struct.pack('<i', len(entries) if count is None else count)
    directory = b''
    body = b''
    for name, data, *size in entries:
        e = bytearray(ENTRY)
        e[0:len(name)] = name
        e[NAME_FIELD:NAME_FIELD + 4] = struct.pack('<i', size[0] if size else len(data))
        directory += bytes(e)
        body += data
    return bytes(head) + directory + body

golden = read('tests/data/files/golden-description.txt')
plain = read('tests/data/files/plain-label/label.lbl')
logo = read('tests/data/files/plain-label/logo.bmp')
graphic_desc = b'[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nCONTROLS=2\r\n\r\n[CNT_1]\r\nTYPE=GRAPHIC\r\n' \
               b'IMG_NAME=logo.bmp\r\nIMG_ASPECTS=1\r\nTOP=0.1\r\nLEFT=0.1\r\nWIDTH=0.5\r\n' \
               b'HEIGHT=0.5\r\n\r\n[CNT_2]\r\nTYPE=TEXT\r\nTEXT=Hello\\sthere\r\n'
small_jpeg = read(os.path.join(out, 'jpeg', 'imagemagick-odd-size.jpg'))
jpeg_desc = graphic_desc.replace(b'logo.bmp', b'photo.jpg')
for folder in ('archive', 'label'):
    put(folder, 'shipping.lbl', read('examples/shipping.lbl'))
    put(folder, 'golden.lbl', archive([(b'_LB_FRMT.TMP', golden)]))
    put(folder, 'with-bmp.lbl', archive([(b'_LB_FRMT.TMP', graphic_desc), (b'logo.bmp', logo)]))
    put(folder, 'with-jpeg.lbl', archive([(b'_LB_FRMT.TMP', jpeg_desc), (b'photo.jpg', small_jpeg)]))
    put(folder, 'names-differ.lbl', archive([(b'_LB_FRMT.TMP', graphic_desc), (b'C:\\pics\\other.bmp', logo)]))
    put(folder, 'count-too-large.lbl', archive([(b'_LB_FRMT.TMP', golden)], count=0x7fffffff))
    put(folder, 'size-past-end.lbl', archive([(b'_LB_FRMT.TMP', golden[:40], 100000)]))
    put(folder, 'negative-size.lbl', archive([(b'_LB_FRMT.TMP', b'', -5)]))
    put(folder, 'dot-dot-name.lbl', archive([(b'_LB_FRMT.TMP', golden), (b'..', logo)]))
    put(folder, 'other-version.lbl', archive([(b'_LB_FRMT.TMP', golden)], version=b'2.0'))
    put(folder, 'header-cut.lbl', archive([(b'_LB_FRMT.TMP', golden)])[:200])
    put(folder, 'empty-archive.lbl', archive([]))
put('label', 'plain.lbl', plain)
put('label', 'golden-plain.lbl', golden)

# --- plain descriptions ---
put('description', 'golden.txt', golden)
put('description', 'plain-label.lbl', plain)
put('description', 'graphic.lbl', graphic_desc)
shipping = read('examples/shipping.lbl')
count = struct.unpack('<i', shipping[COUNT_OFFSET:COUNT_OFFSET + 4])[0]
first = struct.unpack('<i', shipping[HEADER + NAME_FIELD:HEADER + NAME_FIELD + 4])[0]
start = HEADER + count * ENTRY
put('description', 'shipping.txt', shipping[start:start + first])
put('description', 'utf8-bom.lbl', b'\xef\xbb\xbf' + golden.replace(b'Courier New', 'Čeština'.encode()))
put('description', 'duplicates.lbl', b'[FORMAT]\nWIDTH=2\nwidth=9\nCONTROLS=3\n[cnt_1]\nTYPE=TEXT\nTEXT=a\n'
    b'[CNT_1]\nTYPE=BARCODE\n[CNT_01]\nTYPE=TEXT\n[CNT_3]\nTYPE=SHAPE\n')
put('description', 'absurd-numbers.lbl', b'[FORMAT]\nWIDTH=1e308\nHEIGHT=-0\nROWS=2147483647\n'
    b'CONTROLS=2147483647\n[CNT_2147483647]\nTYPE=TEXT\nTOP=nan\nLEFT=99999999999\nFONT_SIZE=-1\n')
put('description', 'long-value.lbl', b'[FORMAT]\nCONTROLS=1\n[CNT_1]\nTYPE=TEXT\nTEXT=' + b'x' * 3000 + b'\n')

# --- templates ---
put('template', 'letter.lbf', b'[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2.625\r\nTOPMARGIN=0.5\r\n'
    b'LEFTMARGIN=0.1875\r\nBOTTOMMARGIN=0.5\r\nRIGHTMARGIN=0.1875\r\nGAPHEIGHT=0\r\n'
    b'GAPWIDTH=0.125\r\nMETRIC=0\r\nFORCEDMETRICS=0\r\nCOLUMNS=3\r\nROWS=10\r\n')
put('template', 'metric-forced.lbf', b'[FORMAT]\nHEIGHT=3,81\nWIDTH=6,35\nMETRIC=1\nFORCEDMETRICS=1\n'
    b'COLUMNS=3\nROWS=7\nGAPWIDTH=0.25\n')
put('template', 'beyond-limits.lbf', b'[FORMAT]\nHEIGHT=1000\nWIDTH=0.001\nROWS=99999\n')
put('template', 'no-format.lbf', b'[SHEET]\nHEIGHT=1\n')
put('template', 'golden.lbf', golden)

# --- stored defaults, as the settings library writes them ---
def stored(values):
    lines = ['[General]']
    for name, v in values:
        if isinstance(v, float):
            raw = struct.pack('<d', v)
            lines.append(name + '=@ByteArray(' + ''.join('\\x%02x' % b if b < 0x20 or b > 0x7e or b in b'\\"' else chr(b) for b in raw) + ')')
        else:
            lines.append('%s=%d' % (name, v))
    return ('\n'.join(lines) + '\n').encode()
defaults = [('Margin_Top', 0.5), ('Margin_Bottom', 0.5), ('Margin_Left', 0.1875), ('Margin_Right', 0.1875),
            ('Label_Height', 1.0), ('Label_Width', 2.625), ('Gap_Height', 0.0), ('Gap_Width', 0.125),
            ('Metric', 0), ('Forced_Metrics', 1), ('Label_Rows', 10), ('Label_Columns', 3),
            ('BorderStyle', 1), ('BorderSize', 2), ('BorderShape', 0), ('BorderPct', 10)]
put('sheet_defaults', 'letter.ini', stored(defaults))
put('sheet_defaults', 'missing-one.ini', stored(defaults[:-1]))
put('sheet_defaults', 'beyond-limits.ini', stored([(n, 1000.0 if n == 'Label_Width' else v) for n, v in defaults]))
put('sheet_defaults', 'wrong-type.ini', stored([(n, 3 if n == 'Margin_Top' else v) for n, v in defaults]))

# --- data files: the settings' four bytes (see data_file_fuzzer.cpp), then the file ---
COMMA, TAB, CUSTOM, FIXED = 0, 1, 2, 3
HEADER_FLAG, TRIM_L, TRIM_R, NO_QUOTE, NO_SEP = 4, 8, 16, 32, 64
def data(name, flags, sep, quote, body, columns=()):
    put('data_file', name, bytes((flags, ord(sep), ord(quote), len(columns))) +
        bytes(c & 0xff for c in columns) + body)
data('shipping.csv', COMMA | HEADER_FLAG, ',', '"', read('examples/shipping.csv'))
data('spreadsheet-export.csv', COMMA | HEADER_FLAG, ',', '"', read('tests/data/merge/spreadsheet-export.csv'))
data('legacy-export.txt', TAB, ',', '"', read('tests/data/merge/legacy-export.txt'))
# As a spreadsheet saves CSV: CR LF, a BOM, quotes only where needed, a cell with a line break.
data('spreadsheet-style.csv', COMMA | HEADER_FLAG, ',', '"',
     '\ufeffSku,Name,Qty,Price\r\n1001,"Widget, large",3,"1,25"\r\n1002,"Say ""hi""\nthere",,0.5\r\n'
     '1003,Plain,7,\r\n'.encode())
data('tabs-cp1252.txt', TAB, ',', '"', b'Name\tCity\r\nCaf\xe9\tZ\xfcrich\r\n\x80uro\t\x9c\r\n')
data('custom-semicolon.dat', CUSTOM, ';', "'", b"a;'b;c';'it''s'\n;;\nx;'open\n")
data('custom-non-ascii.dat', CUSTOM, '\xa7', '\xb4', 'one\xa7\xb4two\xa7three\xb4\xa7four\r\n'.encode())
data('no-quote.csv', COMMA | NO_QUOTE, ',', '"', b'"a","b",c\n')
data('no-separator.dat', CUSTOM | NO_SEP, ',', '"', b'whole line, one field\n')
data('fixed-trim.prn', FIXED | TRIM_L | TRIM_R, ',', '"',
     b'  Smith    12 Main St   Ostrava\r\nNov\xe1k      5 Long Rd\r\n', (10, 12, -3, 0, 20))
data('fixed-keep.prn', FIXED | HEADER_FLAG, ',', '"', b'HEADER LINE\n  ab  cd  \n', (4, 4, 4))
data('ctrl-z.csv', COMMA, ',', '"', b'a,b\r\nc,d\x1aafter,end\r\n')
data('lone-lf-in-cr-file.csv', COMMA, ',', '"', b'a\nb,c\rd,e\r\n')
data('cut-utf8.csv', COMMA, ',', '"', b'ok,\xc3\xa9\r\nbad,\xc3\r\n\xe2\x82')
data('empty.csv', COMMA | HEADER_FLAG, ',', '"', b'')
data('header-only.csv', COMMA | HEADER_FLAG, ',', '"', b'A,B,C\r\n')
data('empty-quoted-end.csv', COMMA, ',', "'", b"a,''\n'',\n,\n")
# Found by fuzzing: EF BB BF opening a line after the first is data, twice over.
data('marks-opening-a-line.dat', COMMA, '\0', '\0', b'\r\xef\xbb\xbf\xef\xbb\xbf')

# --- command lines: parameters separated by zero bytes ---
def cl(name, *args):
    put('command_line', name, b'\x00'.join(a.encode() for a in args))
cl('print-all', 'examples/shipping.lbl', '-p', '-i', 'examples/shipping.csv', '-r', 'ALL', '-o', 'out.pdf')
cl('pages', 'label.lbl', '-P', '-r', '3', 'pages', '-c', '2.5', '-s', '-4', '-d', 'Office')
cl('labels', 'missing.lbl', '-r', '1e309', 'LABELS', '-c', '2147483648', '-s', 'x', '--no-save')
cl('switch-last', '-i', '-r', '-c', '-s', '-o', '-d')
cl('help', '--help', '-h', '--version')
cl('missing-data', 'label.lbl', '-i', 'none.csv', '-r', 'ALL')
PY

python3 - "$out" <<'PY'
# --- PNG and SVG pictures, written by hand ---
import os, struct, sys, zlib
out = sys.argv[1]
for d in ('png', 'svg'):
    os.makedirs(os.path.join(out, d), exist_ok=True)

def put(folder, name, data):
    with open(os.path.join(out, folder, name), 'wb') as f:
        f.write(data)

def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

def png(w, h, depth, colour, rows, extra=b'', interlace=0):
    head = struct.pack('>IIBBBBB', w, h, depth, colour, 0, 0, interlace)
    raw = b''.join(b'\x00' + r for r in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', head) + extra +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))

w, h = 12, 6
put('png', 'rgba.png', png(w, h, 8, 6, [b''.join(bytes((x * 20, y * 40, 90, 255 if x < 6 else 60))
                                               for x in range(w)) for y in range(h)]))
put('png', 'rgb.png', png(w, h, 8, 2, [b''.join(bytes((x * 20, y * 40, 90)) for x in range(w))
                                       for y in range(h)]))
put('png', 'grey-16.png', png(w, h, 16, 0, [b''.join(struct.pack('>H', x * 5000) for x in range(w))
                                            for y in range(h)]))
put('png', 'palette-trns.png', png(w, h, 4, 3, [bytes(((x % 4) << 4 | (x + 1) % 4) for x in range(w // 2))
                                                for y in range(h)],
                                   chunk(b'PLTE', bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9])) +
                                   chunk(b'tRNS', bytes([0, 128]))))
put('png', 'interlaced.png', png(8, 8, 8, 0, [bytes(range(y * 8, y * 8 + 8)) for y in range(8)],
                                 interlace=1))
huge = bytearray(png(8, 8, 8, 0, [bytes(8)] * 8))
huge[16:24] = struct.pack('>II', 60000, 60000)
huge[29:33] = struct.pack('>I', zlib.crc32(bytes(huge[12:29])))
put('png', 'huge-claim.png', bytes(huge))

put('svg', 'logo.svg', b'<svg xmlns="http://www.w3.org/2000/svg" width="100" height="50">'
    b'<rect width="50" height="50" fill="#00f"/><circle cx="75" cy="25" r="10" stroke="red"/></svg>')
put('svg', 'viewbox-mm.svg', b'<svg xmlns="http://www.w3.org/2000/svg" width="30mm" height="20mm" '
    b'viewBox="0 0 300 200"><g transform="rotate(10)"><path d="M10 10 L290 10 Q150 190 10 10z" '
    b'fill="url(#g)"/></g><defs><linearGradient id="g"><stop offset="0" stop-color="red"/>'
    b'<stop offset="1" stop-color="blue" stop-opacity=".3"/></linearGradient></defs>'
    b'<text x="20" y="180" font-size="30">Label</text></svg>')
put('svg', 'outside-files.svg', b'<?xml version="1.0"?><!DOCTYPE svg [<!ENTITY e "/etc/hostname">]>'
    b'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
    b'width="20" height="20"><script>alert(1)</script><image width="20" height="20" '
    b'xlink:href="&e;"/><image width="9" height="9" href="file:///etc/hostname"/>'
    b'<foreignObject><p>x</p></foreignObject><use xlink:href="other.svg#a"/></svg>')
put('svg', 'inline-image.svg', b'<svg xmlns="http://www.w3.org/2000/svg" '
    b'xmlns:xlink="http://www.w3.org/1999/xlink" width="4" height="4"><image width="4" height="4" '
    b'xlink:href="data:image/png;base64,' +
    __import__('base64').b64encode(png(1, 1, 8, 0, [b'\x80'])) + b'"/></svg>')
put('svg', 'huge-size.svg', b'<svg xmlns="http://www.w3.org/2000/svg" width="1000000" '
    b'height="3"><rect width="10" height="3"/></svg>')
put('svg', 'animated.svg', b'<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">'
    b'<rect width="5" height="5"><animate attributeName="x" from="0" to="5" dur="1s" '
    b'repeatCount="indefinite"/></rect></svg>')
PY

du -sh "$out"
find "$out" -type f | wc -l
