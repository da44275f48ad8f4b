#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hostile clients against a running orbisk-server: slow senders, huge
bodies and headers, overlapping ranges, deep nesting and expanding requests.
Prints what each probe got and the server's memory after it.

usage: hostile_probes.py PORT SERVER_PID
"""
import os
import socket
import subprocess
import sys
import threading
import time

PORT = int(sys.argv[1])
PID = int(sys.argv[2])
TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build",
                    os.environ.get("PRESET", "default"), "bin", "orbisk-tool")


def encoded(text):
    return subprocess.run([TOOL, "encode"], input=text.encode(), capture_output=True,
                          check=True).stdout.decode().strip()


def map_post(markers):
    query = encoded("&NS=3&WI=600&HE=370")
    body = ("QLM=" + encoded("Q=" + query + "&L=&M=" + encoded(markers))).encode()
    request = (b"POST /map/default.asp HTTP/1.1\r\nHost: x\r\nConnection: close\r\n"
               b"Content-Length: " + str(len(body)).encode() + b"\r\n\r\n" + body)
    return request, len(body)


def pss():
    try:
        with open(f"/proc/{PID}/smaps_rollup") as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    return "PSS %6.1f MB" % (int(line.split()[1]) / 1024)
    except OSError:
        pass
    return "server gone"


def connect():
    return socket.create_connection(("127.0.0.1", PORT), timeout=30)


def exchange(request, read_all=True):
    """Sends bytes, returns (status line, seconds)."""
    start = time.monotonic()
    try:
        s = connect()
    except OSError:
        return "(refused)", 0.0
    with s:
        try:
            s.sendall(request)
        except OSError:
            pass
        data = b""
        try:
            while True:
                chunk = s.recv(1 << 16)
                if not chunk:
                    break
                data += chunk if len(data) < 4096 else b""
                if not read_all:
                    break
        except OSError:
            pass
    status = data.split(b"\r\n", 1)[0].decode(errors="replace") or "(closed)"
    return status, time.monotonic() - start


def normal_request_ms():
    start = time.monotonic()
    status, _ = exchange(b"GET /map/definition/version/ HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
    return status, (time.monotonic() - start) * 1000


def report(name, result):
    print(f"{name:44s} {result:40s} {pss()}", flush=True)


def slowloris(count, seconds):
    socks = []
    for _ in range(count):
        s = connect()
        s.sendall(b"GET / HTTP/1.1\r\n")
        socks.append(s)
    worst = 0.0
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for s in socks:
            try:
                s.sendall(b"X")
            except OSError:
                pass
        status, ms = normal_request_ms()
        worst = max(worst, ms)
        time.sleep(0.5)
    closed = 0
    for s in socks:
        try:
            s.settimeout(0.1)
            closed += s.recv(1) == b""
        except (OSError, socket.timeout):
            pass
        s.close()
    return f"worst normal request {worst:.1f} ms, {closed}/{count} cut"


def nested(tag, depth):
    return ("<" + tag + ">") * depth + ("</" + tag + ">") * depth


def main():
    report("at rest", "")
    report("100 slowloris connections, 8 s", slowloris(100, 8))
    big = b"POST /services/geocode/us HTTP/1.1\r\nHost: x\r\nContent-Length: 1073741824\r\n\r\n"
    report("1 GB body declared on a service route", exchange(big + b"x" * 65536)[0])
    headers = b"GET /static/map.js HTTP/1.1\r\nHost: x\r\n" + b"X-A: b\r\n" * 5_000_000 + b"\r\n"
    report("5,000,000 request headers", exchange(headers)[0])
    ranges = ",".join(["0-1000000"] * 500).encode()
    status, seconds = exchange(b"GET /static/outlines.json HTTP/1.1\r\nHost: x\r\nRange: bytes=" +
                               ranges + b"\r\nConnection: close\r\n\r\n")
    report("500 overlapping ranges", status)
    report("range past the end", exchange(b"GET /static/map.css HTTP/1.1\r\nHost: x\r\n"
                                          b"Range: bytes=99999999-\r\nConnection: close\r\n\r\n")[0])
    deep = '<DataSet><MarkerSet CenterLat="1" CenterLng="2"><Marker Lat="1" Lng="2">'
    request, size = map_post(deep + nested("Info", 50000) + "</Marker></MarkerSet></DataSet>")
    report(f"map POST of {size} bytes nesting 50,000 deep", exchange(request)[0])
    # Nested encodings of a repetitive text: a small body that once expanded
    # into a page of megabytes; 16 clients at once.
    request, size = map_post('<DataSet><MarkerSet CenterLat="1" CenterLng="2" Title="' +
                             "A" * 16_000_000 + '"/></DataSet>')
    results = []
    threads = [threading.Thread(target=lambda: results.append(exchange(request)))
               for _ in range(16)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    report(f"16 expanding map POSTs of {size} bytes", min(r[0] for r in results))
    report("normal request afterwards", "%s, %.1f ms" % normal_request_ms())
    try:
        with open(f"/proc/{PID}/status") as status:
            print("peak RSS of the server:", next(l.split(None, 1)[1].strip()
                                                  for l in status if l.startswith("VmHWM")))
    except OSError:
        pass


main()
