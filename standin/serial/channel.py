"""The simulator's files: the log and the control folder that tests write requests into.

Log: one line per event, "<ms since 1970>\t<kind>\t<text>\n", written with one append each so a
reader never sees half a line. Texts are escaped: \\r \\n \\t \\\\ and \\xHH for other bytes
outside printable ASCII. Requests that carry bytes (stale) use the same escapes.

Control: a client writes "<name>.tmp" into control/ and renames it to "<name>.req" (one request
line). The simulator reads and deletes it, acts on it and answers in "<name>.ack" (written as
"<name>.ack.tmp" and renamed): "ok" or "error <text>", then any further lines.
"""

import os
import time


def escape(data):
    out = []
    for b in data:
        c = chr(b)
        if c == "\r":
            out.append("\\r")
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == "\\":
            out.append("\\\\")
        elif 0x20 <= b < 0x7F:
            out.append(c)
        else:
            out.append("\\x%02X" % b)
    return "".join(out)


ESCAPED = {"r": 0x0D, "n": 0x0A, "t": 0x09, "\\": 0x5C}
HEX_DIGITS = "0123456789abcdefABCDEF"


def unescape(text):
    """The bytes of an escaped text; a backslash that starts no escape stands for itself."""
    out = bytearray()
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text) and text[i + 1] in ESCAPED:
            out.append(ESCAPED[text[i + 1]])
            i += 2
        elif c == "\\" and text[i + 1:i + 2] == "x" and len(text) >= i + 4 and all(
                d in HEX_DIGITS for d in text[i + 2:i + 4]):
            out.append(int(text[i + 2:i + 4], 16))
            i += 4
        else:
            out += c.encode("ascii", "replace")
            i += 1
    return bytes(out)


def now_ms():
    return time.time_ns() // 1_000_000


class Log:
    def __init__(self, path):
        self.fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC | os.O_APPEND, 0o644)

    def write(self, kind, text=""):
        os.write(self.fd, ("%d\t%s\t%s\n" % (now_ms(), kind, text)).encode("ascii", "replace"))

    def clear(self):
        os.ftruncate(self.fd, 0)


def write_atomically(path, text):
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="ascii", errors="replace", newline="\n") as f:
        f.write(text)
    os.replace(tmp, path)


class ControlFolder:
    def __init__(self, path):
        self.path = path
        os.makedirs(path, exist_ok=True)
        for name in os.listdir(path):      # requests of an earlier run are stale
            os.unlink(os.path.join(path, name))

    def take_requests(self):
        """Yields (name, request line) for each waiting request, oldest name first."""
        try:
            names = sorted(n for n in os.listdir(self.path) if n.endswith(".req"))
        except FileNotFoundError:
            return
        for name in names:
            full = os.path.join(self.path, name)
            try:
                with open(full, "rb") as f:
                    text = f.read().decode("ascii", "replace")
                os.unlink(full)
            except OSError:
                continue
            yield name[:-4], text.strip("\r\n\0 ").splitlines()[0] if text.strip() else ""

    def answer(self, name, text):
        write_atomically(os.path.join(self.path, name + ".ack"), text + "\n")
