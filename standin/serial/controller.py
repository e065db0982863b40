"""The simulated serial touch controller: its state, its answers and the fault modes.

Pure logic without I/O: `Controller.command(name)` takes one received command (two letters)
and returns what the controller does about it, so the port loop only has to send and log.
"""

BLOCK_SIZE = 250
STATUS = slice(1, 5)          # "0000" after CR, "----" when a write cycle starts
WRITE_FLAG = slice(6, 10)     # "AAAA" after DW, "----" when a write cycle starts
WORK_START = 52               # working copy of the sensitivity data, value digits first
STORED_START = 155            # stored copy (what DW writes and DR reads back)
DATA_LENGTH = 86              # bytes 52..137 repeat as bytes 155..240
COPY_CHECK_BYTE = 100 + 103   # the stored byte the "bad-block-copy" fault spoils

VALUE_COMMANDS = ("ST", "SD", "SU", "SI")
KNOWN_COMMANDS = ("CR", "DW", "MR", "DR") + VALUE_COMMANDS

# Which commands each fault mode acts on (a count given with the mode counts these only).
MODE_SCOPE = {
    "normal": (),
    "silence": KNOWN_COMMANDS,
    "short": VALUE_COMMANDS + ("MR",),
    "noise": VALUE_COMMANDS,
    "nondigit": VALUE_COMMANDS,
    "range": VALUE_COMMANDS,
    "late-si": ("SI",),
    "bad-block-0": ("MR",),
    "bad-block-a": ("MR",),
    "bad-block-copy": ("MR",),
}

NOISE_PATTERN = b"#*?!%&@$"

# Settings: name -> (default, lowest, highest).
SETTINGS = {
    "value": (500, 0, 9999),          # raw sensitivity value (lower = more sensitive)
    "step": (10, 1, 1000),            # what one SD or SU changes
    "si-value": (300, 0, 9999),       # value the automatic adjustment arrives at
    "si-delay": (500, -1, 600000),    # ms from SI to its answer (the touch); -1 waits for "touch"
    "late-si-delay": (6000, 0, 600000),
    "range-value": (40, 0, 9999),     # what the "range" fault reports
    "noise-length": (8, 1, 4000),
    # When 0 or more: every value reply is followed, in the same write, by a second one of the
    # same letters with this value, as an answer repeated from earlier; -1: no second reply.
    "trailing-value": (-1, -1, 9999),
}
LOWEST_VALUE, HIGHEST_VALUE = 50, 1000   # SD and SU stay inside this range


class Action:
    """What the controller does about one command: reply bytes now or after a delay."""

    def __init__(self, reply=None, delay_ms=0, wait_for_touch=False, then=None):
        self.reply = reply                  # bytes, or None for no reply
        self.delay_ms = delay_ms
        self.wait_for_touch = wait_for_touch
        self.then = then                    # called when a delayed reply falls due


class Controller:
    def __init__(self):
        self.reset()

    def reset(self):
        self.settings = {name: spec[0] for name, spec in SETTINGS.items()}
        self.prefix = None                  # text before the blank; None: the command itself
        self.mode = "normal"
        self.mode_count = -1                # -1: until the mode is changed
        self.block = bytearray(b"." * BLOCK_SIZE)
        self.block[0:1] = b"#"
        self.block[5:6] = b" "
        self.block[BLOCK_SIZE - 1:] = b"\r"
        for i in range(4, DATA_LENGTH):
            self.block[WORK_START + i] = ord("0123456789ABCDEF"[(i * 7) % 16])
        self._set_value(self.settings["value"])
        self.block[STORED_START:STORED_START + DATA_LENGTH] = self._working()
        self._start_write_cycle()

    # ---- state -----------------------------------------------------------------------------

    def _working(self):
        return bytes(self.block[WORK_START:WORK_START + DATA_LENGTH])

    def _set_value(self, value):
        self.settings["value"] = value
        self.block[WORK_START:WORK_START + 4] = b"%04d" % value

    def _start_write_cycle(self):
        self.block[STATUS] = b"----"
        self.block[WRITE_FLAG] = b"----"

    def stored_value(self):
        digits = bytes(self.block[STORED_START:STORED_START + 4])
        return int(digits) if digits.isdigit() else -1

    def set(self, name, text):
        """Changes a setting; returns an error text or None."""
        if name == "prefix":
            if any(c in text for c in " \r\n") or len(text) > 64:
                return "a prefix has no blanks or line ends and at most 64 characters"
            self.prefix = None if text == "" else text
            return None
        if name not in SETTINGS:
            return "unknown setting %r" % name
        try:
            number = int(text)
        except ValueError:
            return "%s takes a whole number" % name
        low, high = SETTINGS[name][1:]
        if not low <= number <= high:
            return "%s must be from %d to %d" % (name, low, high)
        if name == "value":
            self._set_value(number)
        else:
            self.settings[name] = number
        return None

    def set_mode(self, mode, count=-1):
        if mode not in MODE_SCOPE:
            return "unknown mode %r (modes: %s)" % (mode, ", ".join(MODE_SCOPE))
        if count == 0 or count < -1:
            return "a mode count is 1 or more"
        self.mode, self.mode_count = mode, (-1 if mode == "normal" else count)
        return None

    def state(self):
        lines = ["mode %s" % self.mode, "mode-count %d" % self.mode_count]
        lines += ["%s %d" % (name, self.settings[name]) for name in SETTINGS]
        lines.append("prefix %s" % (self.prefix or ""))
        lines.append("stored-value %d" % self.stored_value())
        lines.append("status %s" % self.block[STATUS].decode("ascii"))
        lines.append("write-flag %s" % self.block[WRITE_FLAG].decode("ascii"))
        return lines

    # ---- commands --------------------------------------------------------------------------

    def _fault_for(self, command):
        """The fault mode acting on this command, counting it down; None in normal operation."""
        if self.mode == "normal" or command not in MODE_SCOPE[self.mode]:
            return None
        mode = self.mode
        if self.mode_count > 0:
            self.mode_count -= 1
            if self.mode_count == 0:
                self.mode, self.mode_count = "normal", -1
        return mode

    def _value_reply(self, command, value, fault):
        head = (self.prefix or command).encode("ascii")
        reply = self._first_reply(head, value, fault)
        trailing = self.settings["trailing-value"]
        if trailing >= 0:
            reply += head + b" " + b"%04d" % trailing + b"\r"
        return reply

    def _first_reply(self, head, value, fault):
        if fault == "noise":
            n = self.settings["noise-length"]
            return (NOISE_PATTERN * (n // len(NOISE_PATTERN) + 1))[:n]
        if fault == "range":
            value = self.settings["range-value"]
        digits = b"%04d" % value
        if fault == "nondigit":
            digits = digits[:2] + b"X" + digits[3:]
        if fault == "short":
            return head + b" " + digits[:2]
        return head + b" " + digits + b"\r"

    def command(self, command):
        """Acts on one received command; returns an Action (reply None for no answer)."""
        fault = self._fault_for(command)
        if fault == "silence" or command not in KNOWN_COMMANDS:
            return Action()
        if command == "CR":
            self.block[STATUS] = b"0000"
            return Action()
        if command == "DW":
            self.block[STORED_START:STORED_START + DATA_LENGTH] = self._working()
            self.block[WRITE_FLAG] = b"AAAA"
            return Action()
        if command == "DR":
            stored = bytes(self.block[STORED_START:STORED_START + DATA_LENGTH])
            self.block[WORK_START:WORK_START + DATA_LENGTH] = stored
            if stored[:4].isdigit():
                self.settings["value"] = int(stored[:4])
            return Action()
        if command == "MR":
            return Action(self._block_reply(fault))
        if command == "ST":
            return Action(self._value_reply(command, self.settings["value"], fault))
        if command in ("SD", "SU"):
            step = self.settings["step"] if command == "SU" else -self.settings["step"]
            value = self.settings["value"]
            if LOWEST_VALUE <= value <= HIGHEST_VALUE:
                value = max(LOWEST_VALUE, min(HIGHEST_VALUE, value + step))
            self._set_value(value)
            return Action(self._value_reply(command, value, fault))
        # SI: the controller adjusts itself once the panel is touched and answers then.
        reply = self._value_reply(command, self.settings["si-value"], fault)
        delay = self.settings["late-si-delay"] if fault == "late-si" else self.settings["si-delay"]
        adjusted = self.settings["si-value"]
        return Action(reply, max(delay, 0), wait_for_touch=(delay < 0 and fault != "late-si"),
                      then=lambda: self._set_value(adjusted))

    def _block_reply(self, fault):
        reply = bytearray(self.block)
        self._start_write_cycle()   # one report per write cycle: the next write starts afresh
        if fault == "bad-block-0":
            reply[STATUS] = b"----"
        elif fault == "bad-block-a":
            reply[WRITE_FLAG] = b"----"
        elif fault == "bad-block-copy":
            reply[COPY_CHECK_BYTE] = ord("!") if reply[COPY_CHECK_BYTE] != ord("!") else ord("?")
        elif fault == "short":
            reply = reply[:BLOCK_SIZE // 2]
        return bytes(reply)
