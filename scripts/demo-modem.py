#!/usr/bin/env python3
"""A pretend modem on a serial device, for the demo, and a one-shot client to try it.

  demo-modem.py serve DEVICE       answers AT commands on DEVICE until stopped
  demo-modem.py ask DEVICE TEXT    sends TEXT and a carriage return, prints the answer,
                                   succeeds when the answer holds OK or CONNECT

Commands (terminated by CR or LF, letters in any case): AT, ATZ, ATH -> OK; ATI -> the
modem's name; ATE0/ATE1 -> echo off/on; ATD..., ATDT..., ATDP... -> CONNECT 9600 and then
data mode, where the far modem sends back every byte until "+++" returns to commands;
anything else -> ERROR.
"""

import os
import select
import sys
import termios
import time

NAME = b"Zelkora demo modem V.32bis"


def open_raw(path):
    fd = os.open(path, os.O_RDWR | os.O_NOCTTY)
    attrs = termios.tcgetattr(fd)
    attrs[0] = 0                      # iflag: no translation, no XON/XOFF
    attrs[1] = 0                      # oflag: bytes as they are
    attrs[2] |= termios.CS8 | termios.CREAD | termios.CLOCAL
    attrs[3] = 0                      # lflag: no echo, no lines, no signals
    attrs[6][termios.VMIN] = 1
    attrs[6][termios.VTIME] = 0
    termios.tcsetattr(fd, termios.TCSANOW, attrs)
    return fd


class Modem:
    def __init__(self, fd):
        self.fd = fd
        self.echo = True
        self.online = False
        self.line = bytearray()
        self.plus = 0

    def send(self, data):
        os.write(self.fd, data)

    def reply(self, text):
        self.send(b"\r\n" + text + b"\r\n")

    def command(self, text):
        cmd = text.strip().upper()
        if not cmd:
            return
        if not cmd.startswith(b"AT"):
            self.reply(b"ERROR")
            return
        rest = cmd[2:]
        if rest in (b"", b"Z", b"H", b"H0", b"&F"):
            self.reply(b"OK")
        elif rest in (b"I", b"I0"):
            self.reply(NAME)
            self.reply(b"OK")
        elif rest in (b"E0", b"E1"):
            self.echo = rest == b"E1"
            self.reply(b"OK")
        elif rest.startswith(b"D"):
            self.reply(b"CONNECT 9600")
            self.online = True
            self.plus = 0
        else:
            self.reply(b"ERROR")

    def take(self, data):
        for value in data:
            byte = bytes([value])
            if self.online:
                self.send(byte)
                self.plus = self.plus + 1 if byte == b"+" else 0
                if self.plus == 3:
                    self.online = False
                    self.reply(b"OK")
                continue
            if self.echo:
                self.send(byte)
            if byte in (b"\r", b"\n"):
                self.command(bytes(self.line))
                self.line.clear()
            elif byte in (b"\b", b"\x7f"):
                del self.line[-1:]
            elif len(self.line) < 256:
                self.line += byte


def serve(path):
    fd = open_raw(path)
    modem = Modem(fd)
    while True:
        try:
            data = os.read(fd, 4096)
        except OSError:
            # The relay closed its end for a while: wait for it to come back.
            time.sleep(0.2)
            continue
        if data:
            modem.take(data)


def ask(path, text, timeout=15.0):
    fd = open_raw(path)
    os.write(fd, text.encode() + b"\r")
    answer = b""
    until = time.monotonic() + timeout
    while time.monotonic() < until and b"OK" not in answer and b"CONNECT" not in answer:
        ready, _, _ = select.select([fd], [], [], max(until - time.monotonic(), 0))
        if ready:
            answer += os.read(fd, 4096)
    os.close(fd)
    sys.stdout.write(answer.decode("ascii", "replace").replace("\r", ""))
    sys.stdout.write("\n")
    return 0 if (b"OK" in answer or b"CONNECT" in answer) else 1


def main(argv):
    if len(argv) == 3 and argv[1] == "serve":
        try:
            serve(argv[2])
        except KeyboardInterrupt:
            pass
        return 0
    if len(argv) == 4 and argv[1] == "ask":
        return ask(argv[2], argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
