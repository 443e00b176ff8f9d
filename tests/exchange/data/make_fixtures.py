#!/usr/bin/env python3
"""Writes the text fixtures byte by byte with Python's own codecs, so that the
readers are tested against an encoder that is not ours. Run it in this folder."""

CRLF = "\r\n"


def write(name, text, encoding, bom=b""):
    with open(name, "wb") as f:
        f.write(bom + text.encode(encoding))


# An accounting system's export: a line before the titles, semicolons, every
# text quoted, German amounts with thousands separators and the euro sign,
# dd.mm.yyyy dates, a note that runs over two lines, Windows-1252.
write("buchhaltung_cp1252.csv", CRLF.join([
    "Export Kreditoren 11.12.2026",
    '"Empfänger";"IBAN";"BIC";"Betrag";"Zweck";"Fällig";"Ort";"Notiz"',
    '"Müller & Söhne GmbH";"DE89 3704 0044 0532 0130 00";"COBADEFFXXX";"1.234,56 €";'
    '"Rechnung 4711; Teil 1";"18.12.2026";"Köln";""',
    '"Dupont ""Le Grand"" SARL";"FR76 3000 6000 0112 3456 7890 189";"AGRIFRPP";"12,50";'
    '"Gutschrift";"01.02.2027";"Paris";"erste Zeile' + CRLF + 'zweite Zeile"',
    '"Øresund ApS";"DK50 0040 0440 1162 43";"NDEADKKK";"50.000,00";"Miete Januar";'
    '"31.01.2027";"København";""',
]) + CRLF, "cp1252")

# A tab-separated file with byte order mark, as spreadsheet programs save
# "Unicode text": ISO dates, amounts with a non-breaking space between the
# groups, outer blanks, a name of 30 characters.
write("tabs_utf8_bom.txt", CRLF.join([
    "Name\tIBAN\tBIC\tBetrag\tDatum\tZweck",
    "Ærø Skibsværft og Maskinfabrik\t  DE02 1203 0000 0000 2020 51  \tBYLADEM1001\t"
    "2\u00a0500,00\t2026-12-18\t  Vertrag Nr. 12  ",
    "Łódź Żegluga\tPL61 1090 1014 0000 0712 1981 2874\tWBKPPLPP\t0,99\t2027-01-05\t",
]) + CRLF, "utf-8", bom=b"\xef\xbb\xbf")

# A DOS program's export in code page 850, LF line ends, no title row.
write("dos_cp850.txt", "\n".join([
    "Bäckerei Größe;AT61 1904 3002 3457 3201;BKAUATWW;99,95;24.12.26",
    "Ñúñez Óptica Ça;ES91 2100 0418 4502 0005 1332;CAIXESBB;1.000,00;02.01.27",
]) + "\n", "cp850")

# A fixed-width list in ISO-8859-15 (the euro sign is byte A4), dates without
# separators: Name 1-28, IBAN 29-62, Betrag 63-74, Datum 75-82, Zweck 83-.
rows = [
    ("Name", "IBAN", "Betrag", "Datum", "Zweck"),
    ("Großhandel Nord", "DE75 5121 0800 1245 1261 99", "1.500,00", "15012027", "Ware € netto"),
    ("Société Générale Paris", "FR14 2004 1010 0505 0001 3M02 606", "7,25", "16012027", "Gebühr"),
]
write("fixed_latin9.prn", "".join(
    f"{n:<28}{i:<34}{b:>12}{d:<8}{z}" + CRLF for n, i, b, d, z in rows), "iso8859_15")
