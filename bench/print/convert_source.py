#!/usr/bin/env python3
"""Turns the benchmark's CSV into the same records in another data source.

    convert_source.py xlsx ORDERS.csv OUT.xlsx     one sheet, the header as its first row
    convert_source.py ods ORDERS.csv OUT.ods
    convert_source.py sqlite ORDERS.csv OUT.sqlite a table "orders" of the CSV's columns
    convert_source.py sql ORDERS.csv OUT.sql       COPY statements for psql

Written with Python's standard library only, so the benchmark needs no office suite.
"""
import csv
import sqlite3
import sys
import zipfile
from xml.sax.saxutils import escape


def rows_of(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def xlsx(rows, out):
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    pkg = "http://schemas.openxmlformats.org/package/2006/relationships"
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types/>')
        z.writestr("_rels/.rels", f'<Relationships xmlns="{pkg}"><Relationship Id="w" '
                   f'Type="{rel}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml", f'<workbook xmlns="{main}" xmlns:r="{rel}"><sheets>'
                   '<sheet name="Orders" sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{pkg}"><Relationship '
                   f'Id="rId1" Type="{rel}/worksheet" Target="worksheets/sheet1.xml"/>'
                   '</Relationships>')
        with z.open("xl/worksheets/sheet1.xml", "w") as s:
            s.write(f'<worksheet xmlns="{main}"><sheetData>'.encode())
            for row in rows:
                cells = "".join(f'<c t="inlineStr"><is><t>{escape(v)}</t></is></c>' for v in row)
                s.write(f"<row>{cells}</row>".encode())
            s.write(b"</sheetData></worksheet>")


def ods(rows, out):
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet",
                   compress_type=zipfile.ZIP_STORED)
        with z.open("content.xml", "w") as s:
            s.write(b'<?xml version="1.0"?><office:document-content '
                    b'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                    b'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
                    b'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body>'
                    b'<office:spreadsheet><table:table table:name="Orders">')
            for row in rows:
                cells = "".join(f'<table:table-cell office:value-type="string"><text:p>{escape(v)}'
                                "</text:p></table:table-cell>" for v in row)
                s.write(f"<table:table-row>{cells}</table:table-row>".encode())
            s.write(b"</table:table></office:spreadsheet></office:body>"
                    b"</office:document-content>")


def sqlite(rows, out):
    db = sqlite3.connect(out)
    header, data = rows[0], rows[1:]
    db.execute(f"CREATE TABLE orders ({', '.join(h + ' TEXT' for h in header)})")
    db.executemany(f"INSERT INTO orders VALUES ({', '.join('?' * len(header))})", data)
    db.commit()
    db.close()


def sql(rows, out):
    header, data = rows[0], rows[1:]
    with open(out, "w", encoding="utf-8") as f:
        f.write(f"CREATE TABLE orders ({', '.join(h + ' text' for h in header)});\n")
        f.write(f"COPY orders FROM STDIN WITH (FORMAT csv);\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerows(data)
        f.write("\\.\n")


if __name__ == "__main__":
    kind, source, out = sys.argv[1:4]
    {"xlsx": xlsx, "ods": ods, "sqlite": sqlite, "sql": sql}[kind](rows_of(source), out)
