#!/usr/bin/env python3
"""Writes a CSV of about 1 GiB: a header and 10,000,000 CR LF records."""
import sys

LINES = 10_000_000


def main(path):
    with open(path, "wb") as out:
        out.write(b"Nr;Kunde;Datum;Betrag;Bemerkung\r\n")
        chunk = []
        for n in range(1, LINES):
            chunk.append(
                b"%d;Kunde %05d;2024-%02d-%02d;%d,%02d;Lieferung laut Auftrag %08d, "
                b"Zahlung per \xdcberweisung, Rabatt 2%%\r\n"
                % (n, n % 99991, 1 + n % 12, 1 + n % 28, n % 100000, n % 100, n * 7 % 10**8))
            if len(chunk) == 100_000:
                out.write(b"".join(chunk))
                chunk.clear()
        out.write(b"".join(chunk))


if __name__ == "__main__":
    main(sys.argv[1])
