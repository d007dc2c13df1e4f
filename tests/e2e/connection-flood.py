#!/usr/bin/env python3
"""Floods the clock's two web ports from many loopback addresses: keeps up to N connections open for a
number of seconds, each with a request or WebSocket handshake that never ends, and opens a new one for
every connection the clock closes. Prints what it saw.
Usage: connection-flood.py HTTP_PORT PUSH_PORT SECONDS [CONNECTIONS] [ADDRESSES]"""
import errno
import resource
import selectors
import socket
import sys
import time

http_port, push_port, seconds = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3])
wanted = int(sys.argv[4]) if len(sys.argv) > 4 else 4000
addresses = int(sys.argv[5]) if len(sys.argv) > 5 else 100

soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
resource.setrlimit(resource.RLIMIT_NOFILE, (hard, hard))
wanted = min(wanted, hard - 64)

HALF_REQUEST = b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: "
HALF_HANDSHAKE = (b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                  b"Sec-WebSocket-Version: 13\r\n")
selector = selectors.DefaultSelector()
stats = {"opened": 0, "refused_503": 0, "closed_by_clock": 0, "failed": 0, "most_open": 0}
open_count = 0
serial = 0


def open_one():
    global open_count, serial
    serial += 1
    source = "127.0.0.%d" % (2 + serial % addresses)
    port = http_port if serial % 3 else push_port
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.setblocking(False)
    try:
        s.bind((source, 0))
        s.connect_ex(("127.0.0.1", port))
    except OSError:
        s.close()
        stats["failed"] += 1
        return
    selector.register(s, selectors.EVENT_WRITE, HALF_REQUEST if port == http_port else HALF_HANDSHAKE)
    open_count += 1
    stats["opened"] += 1
    stats["most_open"] = max(stats["most_open"], open_count)


def drop(s):
    global open_count
    selector.unregister(s)
    s.close()
    open_count -= 1


end = time.monotonic() + seconds
while time.monotonic() < end:
    for _ in range(200):
        if open_count >= wanted:
            break
        open_one()
    for key, events in selector.select(timeout=0.05):
        s = key.fileobj
        if events & selectors.EVENT_WRITE and key.data:
            try:
                s.send(key.data)
                selector.modify(s, selectors.EVENT_READ, None)
            except OSError:
                stats["failed"] += 1
                drop(s)
            continue
        try:
            data = s.recv(4096)
        except OSError as e:
            stats["closed_by_clock" if e.errno == errno.ECONNRESET else "failed"] += 1
            drop(s)
            continue
        if data.startswith(b"HTTP/1.1 503"):
            stats["refused_503"] += 1
        if not data or data.startswith(b"HTTP/1.1 503"):
            stats["closed_by_clock"] += 1
            drop(s)
for key in list(selector.get_map().values()):
    drop(key.fileobj)
print("flood: " + ", ".join("%s %d" % item for item in stats.items()))
