#!/usr/bin/python3
"""Makes the workbooks in fixtures/ that workbook_test reads. Run by hand
after changing it; the expected .txt files beside them are reviewed by hand.

The parts are written as XML text, so each workbook holds exactly the
markup under test (cached formula values, phonetic runs, gaps); one is
made with openpyxl, as another program writes it."""
import datetime
import os
import zipfile

import openpyxl

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixtures")
MAIN = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
REL = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
SHEET_TYPE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet"


def workbook(name, sheets, shared=(), styles="", date1904=False, extra=None):
    """sheets: (name, state, sheetData XML); targets alternate relative/absolute."""
    parts = {}
    listing = "".join(
        f'<sheet name="{n}" sheetId="{i + 1}" {f"state={chr(34)}{s}{chr(34)} " if s else ""}'
        f'r:id="rId{i + 1}"/>' for i, (n, s, _) in enumerate(sheets))
    pr = '<workbookPr date1904="1"/>' if date1904 else ""
    parts["xl/workbook.xml"] = f'<workbook {MAIN} {REL}>{pr}<sheets>{listing}</sheets></workbook>'
    rels = "".join(
        f'<Relationship Id="rId{i + 1}" Type="{SHEET_TYPE}" '
        f'Target="{"/xl/" if i % 2 else ""}worksheets/sheet{i + 1}.xml"/>' for i in range(len(sheets)))
    parts["xl/_rels/workbook.xml.rels"] = (
        '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        f"{rels}</Relationships>")
    for i, (_, _, data) in enumerate(sheets):
        parts[f"xl/worksheets/sheet{i + 1}.xml"] = f"<worksheet {MAIN}><sheetData>{data}</sheetData></worksheet>"
    if shared:
        parts["xl/sharedStrings.xml"] = f'<sst {MAIN}>{"".join(f"<si>{s}</si>" for s in shared)}</sst>'
    if styles:
        parts["xl/styles.xml"] = f"<styleSheet {MAIN}>{styles}</styleSheet>"
    parts.update(extra or {})
    with zipfile.ZipFile(os.path.join(HERE, name), "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts.items():
            # A fixed date, so that remaking changes only what changed.
            z.writestr(zipfile.ZipInfo(part, (2026, 1, 1, 0, 0, 0)),
                       '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n' + text
                       if part.endswith((".xml", ".rels")) else text, zipfile.ZIP_DEFLATED)


def cell(ref, value, t=None, s=None):
    attrs = f'r="{ref}"' if ref else ""
    attrs += f' t="{t}"' if t else ""
    attrs += f' s="{s}"' if s else ""
    return f"<c {attrs}>{value}</c>"


def number_row(r, values):
    return f'<row r="{r}">' + "".join(cell(None, f"<v>{v}</v>") for v in values) + "</row>"


STYLES = ('<numFmts count="3"><numFmt numFmtId="164" formatCode="yyyy/mm/dd"/>'
          '<numFmt numFmtId="165" formatCode="0.0&quot;d&quot;"/>'
          '<numFmt numFmtId="166" formatCode="[Red][&lt;=100]0;\\d0"/></numFmts>'
          '<cellStyleXfs count="1"><xf numFmtId="14"/></cellStyleXfs>'
          '<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/>'
          '<xf numFmtId="165"/><xf numFmtId="166"/></cellXfs>')
SHARED = [
    "<t>姓名</t>",
    '<r><t>陈</t></r><r><rPr><b/></rPr><t xml:space="preserve">一 </t></r>'
    '<rPh sb="0" eb="1"><t>チン</t></rPh>',
    "<t>line_x000D_\nbreak _x005F_x0041_ _xD83D__xDE00_ _x12_</t>",
]
CLIENTS = (
    '<row r="1">' + cell("A1", "<v>0</v>", "s") + cell("C1", "<v>1</v>", "s")
    + cell("F1", "<v>2</v>", "s") + cell("G1", "", s="1") + "</row>"
    + '<row r="3">' + cell("B3", "<is><t>inline</t><rPh><t>x</t></rPh></is>", "inlineStr")
    + cell(None, "<f>A1&amp;\"!\"</f><v>formula text</v>", "str")
    + cell(None, "<v>1</v>", "b") + cell(None, "<v>0</v>", "b")
    + cell(None, "<f>1/0</f><v>#DIV/0!</v>", "e") + cell(None, "<v>#N/A</v>", "e")
    + cell(None, "") + cell(None, "<v></v>") + cell(None, "<v>7</v>") + "</row>"
    + number_row(4, ["13.200000000000001", "110101199003071233", "0.30000000000000004",
                     "123456789012345", "1234567890123456", "999999999999999.5", "1E-10",
                     "0.0001", "1.5E-9", "0.000123456789012345678", "-0", "-2.5E+21", "100",
                     "12.50", "not a number"])
    + '<row r="7">' + cell("A7", "<f>DATE(1990,3,7)</f><v>32939</v>", s="1")
    + cell("B7", "<v>45500.75</v>", s="2") + cell("C7", "<v>60</v>", s="1")
    + cell("D7", "<v>59</v>", s="1") + cell("E7", "<v>61</v>", s="1")
    + cell("F7", "<v>0.5</v>", s="1") + cell("G7", "<v>12.5</v>", s="3")
    + cell("H7", "<v>12</v>", s="4") + cell("I7", "<v>1990-03-07T08:30:00</v>", "d") + "</row>"
    + "<row>" + cell(None, "<v>8</v>") + "</row>")


def main():
    workbook("cells.xlsx", [("Hidden", "hidden", number_row(1, ["42"])),
                            ("Clients", None, CLIENTS),
                            ("Second", None, number_row(2, ["2"]) + number_row(5, ["5"]))],
             shared=SHARED, styles=STYLES)
    workbook("dates-1904.xlsx", [("Sheet1", None, '<row r="1">' + cell("A1", "<v>0</v>", s="1")
                                  + cell("B1", "<v>31476</v>", s="1") + "</row>")],
             styles=STYLES, date1904=True)
    workbook("long-cell.xlsx", [("Sheet1", None, number_row(1, ["1"]) + '<row r="2">'
                                 + cell("A2", "<is><t>" + "a" * (1 << 20) + "b</t></is>", "inlineStr")
                                 + "</row>")])
    # Each cell a copy of one 1 MiB shared string: 17 of them pass 16 MiB.
    workbook("wide-row.xlsx", [("Sheet1", None, number_row(1, ["1"]) + '<row r="2">'
                                + cell(None, "<v>0</v>", "s") * 17 + "</row>")],
             shared=["<t>" + "a" * (1 << 20) + "</t>"])
    # One start tag of 2 MiB: expat would scan it again with every chunk read.
    workbook("long-markup.xlsx", [("Sheet1", None, number_row(1, ["1"]) + '<row r="2" spans="'
                                   + "1" * (2 << 20) + '">' + cell("A2", "<v>2</v>") + "</row>")])
    # 8,388,609 empty strings each cost a std::string (32 bytes): one past
    # 256 MiB kept, from an archive of about 60 KB.
    workbook("many-strings.xlsx", [("Sheet1", None, '<row r="1">' + cell("A1", "<v>0</v>", "s") + "</row>")],
             extra={"xl/sharedStrings.xml": f"<sst {MAIN}>" + "<si/>" * ((256 << 20) // 32 + 1) + "</sst>"})
    workbook("malformed.xlsx", [("Sheet1", None, number_row(1, ["1"]) + "<row r=\"2\"><c></row>")])
    workbook("missing-string.xlsx", [("Sheet1", None, '<row r="9">' + cell("A9", "<v>3</v>", "s") + "</row>")],
             shared=["<t>only</t>"])
    workbook("huge-string-index.xlsx", [("Sheet1", None, '<row r="1">' + cell("A1", "<v>18446744073709551616</v>", "s")
                                         + "</row>")], shared=["<t>only</t>"])
    # Rows reach the list in the sheet's order, so their numbers must rise.
    workbook("row-order.xlsx", [("Backwards", None, number_row(1, ["1"]) + number_row(3, ["3"])
                                 + number_row(2, ["2"])),
                                ("Nested", None, '<row r="1"><c><v>1</v></c>' + number_row(2, ["2"]) + "</row>"),
                                ("Zero", None, number_row(0, ["0"])),
                                ("Beyond", None, number_row(1048576, ["1"]) + number_row(1048577, ["2"]))])
    workbook("all-hidden.xlsx", [("Hidden", "veryHidden", number_row(1, ["1"]))])
    # As LibreOffice writes one: the mimetype first and stored, then the parts.
    with zipfile.ZipFile(os.path.join(HERE, "opendocument.ods"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(zipfile.ZipInfo("mimetype", (2026, 1, 1, 0, 0, 0)),
                   "application/vnd.oasis.opendocument.spreadsheet", zipfile.ZIP_STORED)
        for part in ("content.xml", "styles.xml", "META-INF/manifest.xml"):
            z.writestr(zipfile.ZipInfo(part, (2026, 1, 1, 0, 0, 0)), "<office:document-content/>")
    with zipfile.ZipFile(os.path.join(HERE, "no-workbook.xlsx"), "w") as z:
        z.writestr("[Content_Types].xml", "<Types/>")
    with open(os.path.join(HERE, "bad-zip.xlsx"), "wb") as f:
        f.write(b"PK\x03\x04" + b"\x00" * 60 + b"not really a zip archive")
    header = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\x00" * 504
    with open(os.path.join(HERE, "legacy.xls"), "wb") as f:
        f.write(header + b"\x00" * 1024)
    with open(os.path.join(HERE, "encrypted.xlsx"), "wb") as f:
        # The stream's name straddles the reader's 64 KiB chunks.
        f.write(header + b"\x00" * (65536 - 512 - 7) + "EncryptedPackage".encode("utf-16-le") + b"\x00" * 64)

    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "名单"
    sheet.append(["客户", "ID", "出生日期", "分"])
    sheet.append(["陈一", "110101199003071233", datetime.date(1990, 3, 7), 13.2])
    book.save(os.path.join(HERE, "openpyxl.xlsx"))


if __name__ == "__main__":
    main()
