#!/usr/bin/env python3
"""Simulated serial touch controller on the Linux side of a pseudo-terminal.

    serialsim.py --dir DIR [--port COM2] [--link PREFIX/dosdevices/com2] [--parent PID]

Opens a pty, points the --link symlink at its slave (that is how Wine maps a COM port to it),
writes the slave's path to DIR/pty once it is ready and answers the controller commands that a
program writes to the port. Everything it receives and sends is logged to DIR/log.txt; tests steer it through requests
in DIR/control (see channel.py and standin/README.md). It ends on SIGTERM or SIGINT, or when the
process given with --parent has gone.

The simulator keeps no slave descriptor of its own, so the master reports a hang-up while no
program has the port open: that is how it sees a program open and close the port (logged as
"open" and "close"). A reply that falls due after the port was closed is dropped (a real
controller's late answer goes to whoever owns the port then), and reply bytes a program left
unread when it closed the port are taken out of the pty, so the next opener starts clean.

The port itself can be made to fail as a real one does, by pointing the link elsewhere: "busy"
points it at a folder, so opening the port fails with ERROR_ACCESS_DENIED, as for a port another
program holds (Wine itself does not refuse a second opener of a COM port); "no-state" points it
at /dev/null, so the port opens but GetCommState fails. "xoff" keeps the pty but has the line
hold what a program writes, as for a controller that sent XOFF: the port opens and reads its state,
and a write ends after its time-out with nothing written.

Bytes a real controller sent that nobody read can be left in the port on request ("stale"): the
next program that reads the port finds them before any answer to its own commands.
"""

import argparse
import errno
import os
import select
import signal
import sys
import time
import termios
import tty

sys.dont_write_bytecode = True   # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from channel import ControlFolder, Log, escape, unescape, write_atomically   # noqa: E402
from controller import Controller                                   # noqa: E402

CONTROL_POLL_S = 0.01     # how often the control folder is looked at
CLOSED_POLL_S = 0.005     # how often a closed port is checked for a new opener
LONGEST_LINE = 64         # received bytes without a carriage return before they count as junk


class Pending:
    def __init__(self, session, due, reply, then, wait_for_touch):
        self.session, self.due, self.reply, self.then = session, due, reply, then
        self.wait_for_touch = wait_for_touch


class Simulator:
    def __init__(self, folder, port_name, link):
        self.folder = folder
        self.port_name = port_name
        self.link = link
        self.port_state = "ready"
        self.log = Log(os.path.join(folder, "log.txt"))
        self.control = ControlFolder(os.path.join(folder, "control"))
        self.controller = Controller()
        self.master, slave = os.openpty()
        self.slave_path = os.ttyname(slave)
        tty.setraw(slave)
        os.close(slave)
        # A program that never reads could fill the pty; the simulator must not block on it.
        os.set_blocking(self.master, False)
        self.poller = select.poll()
        self.poller.register(self.master, select.POLLIN)
        self.port_open = False
        self.session = 0            # counts openings of the port
        self.received = bytearray()
        self.pending = []
        self.running = True

    # ---- port ------------------------------------------------------------------------------

    def poll_port(self, timeout_s):
        events = 0
        for _, ev in self.poller.poll(int(timeout_s * 1000) if self.port_open else 0):
            events |= ev
        data = b""
        if events & select.POLLIN:
            try:
                data = os.read(self.master, 4096)
            except BlockingIOError:
                pass
            except OSError as e:
                if e.errno != errno.EIO:
                    raise
        if data:
            self.opened()
            self.receive(data)
        elif events & select.POLLHUP:
            self.closed()
            time.sleep(CLOSED_POLL_S)
        else:
            self.opened()

    def opened(self):
        if not self.port_open:
            self.port_open = True
            self.session += 1
            self.log.write("open", self.port_name)

    def closed(self):
        if not self.port_open:
            return
        self.port_open = False
        if self.received:
            self.log.write("junk", escape(self.received))
            self.received.clear()
        unread = self.take_unread()
        if unread:
            self.log.write("unread", escape(unread))
        self.log.write("close", self.port_name)

    def take_unread(self):
        """Reads what the last program left in the port, through a slave descriptor of our own."""
        try:
            fd = os.open(self.slave_path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        except OSError:
            return b""
        data = bytearray()
        try:
            while True:
                chunk = os.read(fd, 4096)
                if not chunk:
                    break
                data += chunk
        except OSError:
            pass
        finally:
            os.close(fd)
        return bytes(data)

    def receive(self, data):
        for b in data:
            if b == 0x0D:
                line = bytes(self.received)
                self.received.clear()
                if len(line) == 2 and line.isalpha() and line.isupper():
                    self.run_command(line.decode("ascii"))
                else:
                    self.log.write("junk", escape(line + b"\r"))
            else:
                self.received.append(b)
                if len(self.received) > LONGEST_LINE:
                    self.log.write("junk", escape(self.received))
                    self.received.clear()

    def run_command(self, name):
        self.log.write("cmd", name)
        action = self.controller.command(name)
        if action.reply is None:
            return
        if action.delay_ms == 0 and not action.wait_for_touch:
            if action.then:
                action.then()
            self.send(action.reply)
            return
        due = None if action.wait_for_touch else time.monotonic() + action.delay_ms / 1000.0
        self.pending.append(Pending(self.session, due, action.reply, action.then, action.wait_for_touch))

    def send(self, reply):
        # Logged before it is written: a reader that has the reply from the port then finds it in
        # the log too. When the port's buffer is full, the part that did not fit follows as "drop".
        self.log.write("reply", escape(reply))
        try:
            sent = os.write(self.master, reply)
        except BlockingIOError:
            sent = 0
        if sent < len(reply):
            self.log.write("drop", escape(reply[sent:]))

    def leave_stale(self, data):
        """Bytes that a controller sent earlier and nobody read, put into the port now: they wait
        there for the next read, and while the port is closed for its next opener."""
        # A close the loop has not seen yet is seen first, so that its clean-up of unread reply
        # bytes does not take these as well.
        self.poll_port(0)
        self.log.write("stale", escape(data))
        try:
            sent = os.write(self.master, data)
        except BlockingIOError:
            sent = 0
        if sent < len(data):
            self.log.write("drop", escape(data[sent:]))
            return "the port took %d of the %d bytes" % (sent, len(data))
        return None

    def run_due(self):
        now = time.monotonic()
        for p in [p for p in self.pending if p.due is not None and p.due <= now]:
            self.pending.remove(p)
            if p.then:
                p.then()
            if self.port_open and p.session == self.session:
                self.send(p.reply)
            else:
                self.log.write("drop", escape(p.reply))

    def next_wait(self):
        wait = CONTROL_POLL_S
        for p in self.pending:
            if p.due is not None:
                wait = min(wait, max(0.0, p.due - time.monotonic()))
        return wait

    def link_targets(self):
        return {"ready": self.slave_path, "busy": os.path.join(self.folder, "busy"), "no-state": "/dev/null",
                "xoff": self.slave_path}

    def hold_output(self, hold):
        """With IXON on the line, the XOFF written to the master stops the slave's output: what a
        program writes to the port stays there. Turning IXON off starts the output again."""
        attributes = termios.tcgetattr(self.master)   # on a pty master these are the slave's
        if hold:
            attributes[0] |= termios.IXON
        else:
            attributes[0] &= ~termios.IXON
        termios.tcsetattr(self.master, termios.TCSANOW, attributes)
        if hold:
            os.write(self.master, b"\x13")

    def set_port_state(self, state):
        if state not in self.link_targets():
            return "a port state is one of %s" % ", ".join(self.link_targets())
        if not self.link:
            return "the simulator was started without --link"
        os.makedirs(os.path.join(self.folder, "busy"), exist_ok=True)
        tmp = self.link + ".serialsim-tmp"
        if os.path.lexists(tmp):
            os.unlink(tmp)
        os.symlink(self.link_targets()[state], tmp)
        os.replace(tmp, self.link)
        self.hold_output(state == "xoff")
        self.port_state = state
        return None

    def remove_link(self):
        try:
            if self.link and os.readlink(self.link) in self.link_targets().values():
                os.unlink(self.link)
        except OSError:
            pass

    # ---- control ---------------------------------------------------------------------------

    def handle(self, line):
        words = line.split(" ")
        verb, args = words[0], words[1:]
        c = self.controller
        if verb == "ping" and not args:
            return "ok"
        if verb == "reset" and not args:
            c.reset()
            self.pending.clear()
            # Stale bytes still waiting in a closed port would reach the next test's opener.
            self.poll_port(0)
            if not self.port_open:
                self.take_unread()
            self.log.clear()
            if self.link and self.port_state != "ready":
                error = self.set_port_state("ready")
                if error:
                    return "error " + error
            return "ok"
        if verb == "clear" and not args:
            self.log.clear()
            return "ok"
        if verb == "state" and not args:
            waiting = sum(1 for p in self.pending if p.wait_for_touch)
            extra = ["port %s" % ("open" if self.port_open else "closed"), "port-state %s" % self.port_state,
                     "pending %d" % len(self.pending), "waiting-for-touch %d" % waiting,
                     "partial %s" % escape(self.received),
                     "pty %s" % self.slave_path]
            return "\n".join(["ok"] + c.state() + extra)
        if verb == "mode" and len(args) in (1, 2):
            try:
                count = int(args[1]) if len(args) == 2 else -1
            except ValueError:
                return "error a mode count is a whole number"
            return self.logged(line, c.set_mode(args[0], count))
        if verb == "set" and len(args) in (1, 2):
            return self.logged(line, c.set(args[0], args[1] if len(args) == 2 else ""))
        if verb == "port" and len(args) == 1:
            return self.logged(line, self.set_port_state(args[0]))
        if verb == "stale" and args:
            data = unescape(line[len("stale "):])
            return self.logged(line, self.leave_stale(data))
        if verb == "touch" and not args:
            touched = [p for p in self.pending if p.wait_for_touch]
            if not touched:
                return "error nothing waits for a touch"
            for p in touched:
                p.due, p.wait_for_touch = time.monotonic(), False
            return self.logged(line, None)
        return "error unknown request %r (ping, reset, clear, state, mode, set, touch, port, stale)" % line

    def logged(self, line, error):
        if error:
            return "error " + error
        self.log.write("ctl", escape(line.encode("ascii", "replace")))
        return "ok"

    def serve_control(self):
        for name, line in self.control.take_requests():
            try:
                answer = self.handle(line)
            except Exception as e:   # a request must never end the simulator
                print("serialsim: request %r failed: %r" % (line, e), file=sys.stderr, flush=True)
                answer = "error internal error: %s" % e
            self.control.answer(name, answer)

    # ---- main loop -------------------------------------------------------------------------

    def run(self, parent):
        if self.link:
            error = self.set_port_state("ready")
            if error:
                raise SystemExit("serialsim: " + error)
        write_atomically(os.path.join(self.folder, "pid"), "%d\n" % os.getpid())
        write_atomically(os.path.join(self.folder, "pty"), self.slave_path + "\n")
        next_parent_check = time.monotonic() + 1.0
        while self.running:
            self.poll_port(self.next_wait())
            self.run_due()
            self.serve_control()
            if parent and time.monotonic() >= next_parent_check:
                next_parent_check = time.monotonic() + 1.0
                try:
                    os.kill(parent, 0)
                except ProcessLookupError:
                    break
        # A link left behind would point at a pty number the system hands out again.
        self.remove_link()
        try:
            os.unlink(os.path.join(self.folder, "pty"))
        except OSError:
            pass


def main():
    parser = argparse.ArgumentParser(description="Simulated serial touch controller on a pty")
    parser.add_argument("--dir", required=True, help="folder for pty, pid, log.txt and control/")
    parser.add_argument("--port", default="COM2", help="port name, for the log")
    parser.add_argument("--link", default="", help="symlink to point at the pty (Wine's dosdevices/comN)")
    parser.add_argument("--parent", type=int, default=0, help="end when this process has gone")
    options = parser.parse_args()
    os.makedirs(options.dir, exist_ok=True)
    sim = Simulator(options.dir, options.port, options.link)

    def stop(*_):
        sim.running = False
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    sim.run(options.parent)


if __name__ == "__main__":
    main()
