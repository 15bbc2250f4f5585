#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into corpus/<target>/: a handful of valid files,
byte for byte as the program writes them, and damaged ones as crashes and editors leave them.
Run it from anywhere; it replaces the seed files it knows and leaves other inputs (kept crash
inputs) alone."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def short_string(text, capacity, after=b""):
    """A length byte, the characters in Windows-1252, then what stands after them in memory."""
    raw = text.encode("cp1252")[:capacity]
    rest = (after + bytes(capacity))[: capacity - len(raw)]
    return bytes([len(raw)]) + raw + rest


def tariff(name, number, entry, price, step, free=0.0, limit=0.0, after=b""):
    """3472 bytes: three strings of 256, prices and increments per day 1..7 and hour 0..23."""
    out = short_string(name, 255, after) + short_string(number, 255, after) + short_string(entry, 255, after)
    for table in (price, step):
        for day in range(1, 8):
            for hour in range(24):
                out += struct.pack("<d", table(day, hour))
    out += struct.pack("<dd", free, limit)
    assert len(out) == 3472
    return out


def connection(start, minutes, cost, tariff_name):
    """133 bytes: Datum, Start, Ende, Kosten, then the tariff name of at most 100 characters."""
    end = start + minutes / 1440.0
    out = struct.pack("<dddd", start, start, end, cost) + short_string(tariff_name, 100)
    assert len(out) == 133
    return out


def settings(first, state, limit, language, after=b""):
    out = bytes([first, state]) + struct.pack("<d", limit) + short_string(language, 255, after)
    assert len(out) == 266
    return out


def evening(day, hour):
    return 0.039 if 9 <= hour < 18 and day <= 5 else 0.012


def per_minute(day, hour):
    return 60.0


MONTH_HEADER = struct.pack("<i", 1)
MAY_2026 = 46143.0  # 2026-05-01 00:00 as a day count since 1899-12-30
records = [connection(MAY_2026 + d + 0.75, 17 + d, 0.25 * (d + 1), "Abend") for d in range(3)]

CORPUS = {
    "tarifstore": {
        "empty": b"",
        "one-tariff": tariff("Abend", "0191011", "Provider", evening, per_minute, 0.0, 20.0),
        "two-tariffs": tariff("Abend", "0191011", "Provider", evening, per_minute)
        + tariff("Flat", "0800", "Flatrate-Anbieter", lambda d, h: 0.0, lambda d, h: 1.0, 5.5, 30.0, b"LangerName"),
        "longest-names": tariff("N" * 255, "9" * 255, "E" * 255, evening, per_minute),
        "torn": tariff("Abend", "0191011", "Provider", evening, per_minute)[:1000],
        "one-and-a-half": tariff("Abend", "0191011", "Provider", evening, per_minute) * 2
        + b"\x05Abend" + bytes(1730),
    },
    "monatslog": {
        "empty": b"",
        "short-header": MONTH_HEADER[:2],
        "header-only": MONTH_HEADER,
        "one-record": MONTH_HEADER + records[0],
        "three-records": MONTH_HEADER + b"".join(records),
        "torn-record": MONTH_HEADER + records[0] + records[1][:50],
        "other-header": struct.pack("<i", 7) + records[2],
        "long-tariff-name": MONTH_HEADER + connection(MAY_2026, 61, 3.5, "T" * 100),
    },
    "settings": {
        "defaults": settings(1, 8, 100.0, "german"),
        "wizard-done": settings(0, 15, 12.5, "Fran\u00e7ais", b"abcdefghij"),
        "long-name": settings(0, 2, 45.75, "s" * 255),
        "two-bytes": bytes([0, 8]),
        "empty": b"",
        "mid-limit": settings(0, 3, 72.5, "german")[:5],
        "longer-file": settings(1, 200, -1.0, "english") + b"trailing bytes",
    },
    "language": {
        "german.qlf": (
            "[Month]\r\nJanuary=Januar\r\nMarch=M\u00e4rz\r\nOktober=Oktober\r\n"
            "[Menu]\r\nTariffs=\"Preise\"\r\nExit='Ende'\r\n"
            "[Erros]\r\nE_UnknownErrorAt=Fehler bei \r\n"
            "[Assistent]\r\nA_General=Willkommen#13#10Zweite Zeile#13#10Dritte\r\n"
            "[Feedback]\r\nF_ThankYou=Danke\r\n"
        ).encode("cp1252"),
        "bom-lf": "\ufeff[Buttons]\nB_Next = Weiter >\n[buttons]\nb_next=second\n".encode("utf-8"),
        "lone-cr": b"[Warnings]\rW_NoTarif=kein Tarif\r[Month]\rMay=Mai\r",
        "no-sections": b"March=Maerz\n;comment\n=no key\nkey without value\n",
        "open-bracket": b"[Month\nMarch=x\n[Month]\nMarch=y\nMarch=z\n",
    },
    "pppd": {
        "chat-file": b"\n===\n".join(
            [
                b'connect "/usr/sbin/chat -v -f /etc/chatscripts/provider"\n/dev/ttyS0 115200 # modem\nuser "a b"\\\n',
                b"ABORT BUSY\n'' ATZ\nOK ATDT0191011\nCONNECT ''\n",
                b"4711\nppp0\n",
                b"4711\n",
                b"pppd\0call\0provider\0/dev/ttyUSB0\0",
                b"0x1091\n",
                b"1\n",
            ]
        ),
        "inline-chat": b"\n===\n".join(
            [
                b"connect \"chat -T 0190123 '' 'ATDT\\\\T' CONNECT\"\nttyACM0\n",
                b"",
                b"4711\n",
                b"",
                b"/usr/sbin/pppd\0call\0provider\0",
                b"0x1003\n",
                b"0\n",
            ]
        ),
        "dialling": b"\n===\n".join(
            [
                b"connect \"chat -f /etc/chatscripts/provider\"\n",
                b"# comment\n'' ATDP01910\n",
                b"4711\nppp0\n",
                b"",
                b"pppd\0call\0provider\0",
                b"0x1002\n",
                b"0\n",
            ]
        ),
        "stale-pid": b"\n===\n".join([b"noauth\n", b"", b" 0\n", b"-5\n", b"pppd\0nodetach\0"]),
        "peer-only": b"# just options\nlock\ncrtscts\n",
    },
}


def main():
    for target, files in CORPUS.items():
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, content in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)


if __name__ == "__main__":
    main()
