#!/usr/bin/python3
"""A pointer for a wlroots compositor: one virtual pointer (zwlr_virtual_pointer_v1) that runs
the steps it is given, spoken in the Wayland wire protocol directly so nothing needs installing.
sway's own seat commands move the cursor without the compositor's motion handling, so they can
click but never drag a border; a virtual pointer's events go the way a mouse's do.

Usage: pointer.py WIDTH HEIGHT STEP...
  WIDTH HEIGHT  the output layout's size in logical pixels (positions are mapped onto it)
  offset DX DY  add DX,DY to the places of the steps after it
  move X Y      the pointer to X,Y (layout coordinates)
  press | release   the left button
  click X Y     move, press, release
  wait SECONDS  hold still
"""

import os
import socket
import struct
import sys
import time

BTN_LEFT = 0x110


class Client:
    def __init__(self):
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ.get("WAYLAND_DISPLAY", "wayland-0"))
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2
        self.buffer = b""

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, obj, opcode, payload=b""):
        self.sock.sendall(struct.pack("<II", obj, (8 + len(payload)) << 16 | opcode) + payload)

    def events(self):
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from("<II", self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                body, self.buffer = self.buffer[8:size], self.buffer[size:]
                yield obj, word & 0xFFFF, body
            chunk = self.sock.recv(4096)
            if not chunk:
                raise SystemExit("the compositor closed the connection")
            self.buffer += chunk

    def roundtrip(self, on_event=None):
        callback = self.new_id()
        self.send(1, 0, struct.pack("<I", callback))  # wl_display.sync
        for obj, opcode, body in self.events():
            if obj == 1 and opcode == 0:  # wl_display.error
                _, code, length = struct.unpack_from("<III", body)
                raise SystemExit(f"protocol error {code}: {body[12:12 + length - 1].decode()}")
            if obj == callback:
                return
            if on_event:
                on_event(obj, opcode, body)


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def main(argv):
    if len(argv) < 2:
        raise SystemExit(__doc__)
    width, height = int(argv[0]), int(argv[1])
    steps = argv[2:]
    client = Client()
    registry = client.new_id()
    client.send(1, 1, struct.pack("<I", registry))  # wl_display.get_registry
    globals_ = {}

    def on_global(obj, opcode, body):
        if obj == registry and opcode == 0:
            name, length = struct.unpack_from("<II", body)
            globals_[body[8:8 + length - 1].decode()] = name

    client.roundtrip(on_global)
    interface = "zwlr_virtual_pointer_manager_v1"
    if interface not in globals_:
        raise SystemExit(f"the compositor offers no {interface}")
    manager = client.new_id()
    client.send(registry, 0, struct.pack("<I", globals_[interface]) + string(interface) +
                struct.pack("<II", 1, manager))
    pointer = client.new_id()
    client.send(manager, 0, struct.pack("<II", 0, pointer))  # on the default seat
    client.roundtrip()

    def now():
        return int(time.monotonic() * 1000) & 0xFFFFFFFF

    def move(x, y):
        client.send(pointer, 1, struct.pack("<IIIII", now(), x, y, width, height))
        client.send(pointer, 4)  # frame

    def button(state):
        client.send(pointer, 2, struct.pack("<III", now(), BTN_LEFT, state))
        client.send(pointer, 4)

    dx = dy = 0

    def place():
        return dx + int(steps.pop(0)), dy + int(steps.pop(0))

    while steps:
        step = steps.pop(0)
        if step == "offset":
            dx, dy = int(steps.pop(0)), int(steps.pop(0))
        elif step == "move":
            move(*place())
        elif step == "click":
            move(*place())
            client.roundtrip()
            time.sleep(0.05)
            button(1)
            client.roundtrip()
            time.sleep(0.05)
            button(0)
        elif step in ("press", "release"):
            button(1 if step == "press" else 0)
        elif step == "wait":
            client.roundtrip()
            time.sleep(float(steps.pop(0)))
        else:
            raise SystemExit(f"unknown step {step!r}\n{__doc__}")
        client.roundtrip()
    client.send(pointer, 8)  # destroy
    client.roundtrip()


if __name__ == "__main__":
    main(sys.argv[1:])
