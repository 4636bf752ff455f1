#!/usr/bin/python3
"""Radicale on 127.0.0.1 on a free port, for the CalDAV tests.

User "reminder" with password "secret" and the calendar /reminder/work/. Prints the port when
the calendar is there and serves until standard input closes. Meanwhile each line read is a
command, answered by lines that end with one "--end--": "calendar NAME" makes /reminder/NAME/;
"peer URL COMMAND..." runs caldav_peer.py's command here, without a process of its own; "mode
MODE" turns a --garbage server to another way of breaking. With
--cut-after N a proxy stands in front that stops serving after N requests (a server gone
half-way); with --garbage MODE the calendar answers as a broken server would; with --open it
takes any password, or none; with --tls it serves https with a self-signed certificate for
"localhost" (cert.pem in --dir). With --tls --redirect an https front stands before it that
sends /moved/... on to /reminder/... on itself and /plain/... to a plain-http listener, which
answers nothing but "password please"; the command "heard" tells how many requests reached
that listener and how many of them carried a password."""

import argparse
import os
import socket
import subprocess
import sys
import threading
import time
import http.client
import http.server
import socketserver
import ssl
import urllib.request
import base64
import contextlib
import io
import shlex

USER, PASSWORD = "reminder", "secret"
AUTH = "Basic " + base64.b64encode(f"{USER}:{PASSWORD}".encode()).decode()


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def request(port, method, path, body=b"", headers=None, tls=False):
    if tls:
        c = http.client.HTTPSConnection("127.0.0.1", port, timeout=10,
                                        context=ssl._create_unverified_context())
    else:
        c = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    h = {"Authorization": AUTH}
    h.update(headers or {})
    c.request(method, path, body, h)
    r = c.getresponse()
    data = r.read()
    c.close()
    return r.status, data


def make_certificate(folder):
    cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                    "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "2", "-subj", "/CN=localhost", "-addext",
                    "subjectAltName=DNS:localhost"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def start_radicale(folder, open_=False, tls=False):
    port = free_port()
    tls_config = ""
    if tls:
        cert, key = make_certificate(folder)
        tls_config = f"ssl = True\ncertificate = {cert}\nkey = {key}\n"
    with open(os.path.join(folder, "users"), "w") as f:
        f.write(f"{USER}:{PASSWORD}\n")
    config = os.path.join(folder, "config")
    with open(config, "w") as f:
        f.write(f"""[server]
hosts = 127.0.0.1:{port}
{tls_config}[auth]
type = {"none" if open_ else "htpasswd"}
htpasswd_filename = {folder}/users
htpasswd_encryption = plain
[storage]
filesystem_folder = {folder}/collections
[rights]
type = owner_only
[logging]
level = warning
""")
    # Without fsync: the tests time this program, not the disk under Radicale.
    code = ("import radicale.config, radicale.server\n"
            f"c = radicale.config.load([({config!r}, False)])\n"
            "c.update({'storage': {'_filesystem_fsync': 'False'}}, 'test', privileged=True)\n"
            "radicale.server.serve(c)\n")
    proc = subprocess.Popen([sys.executable, "-c", code],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    proc.port = port
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            break
        except OSError:
            time.sleep(0.05)
    status, _ = request(port, "MKCALENDAR", "/reminder/work/", tls=tls)
    if status not in (201, 405):
        raise SystemExit(f"MKCALENDAR answered {status}")
    return proc, port


class Proxy(http.server.BaseHTTPRequestHandler):
    """Forwards to Radicale; after cut requests the whole server stops answering."""
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def forward(self):
        server = self.server
        server.count += 1
        if server.count > server.cut:
            server.dead = True
            self.close_connection = True
            self.connection.close()
            return
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        headers = {k: v for k, v in self.headers.items() if k.lower() not in ("host", "connection")}
        if getattr(server, "tls", False):
            c = http.client.HTTPSConnection("127.0.0.1", server.upstream, timeout=30,
                                            context=ssl._create_unverified_context())
        else:
            c = http.client.HTTPConnection("127.0.0.1", server.upstream, timeout=30)
        c.request(self.command, self.path, body, headers)
        r = c.getresponse()
        data = r.read()
        self.send_response(r.status)
        for k, v in r.getheaders():
            if k.lower() not in ("content-length", "connection", "transfer-encoding"):
                self.send_header(k, v)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)
        c.close()

    do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_OPTIONS = forward


class Front(Proxy):
    """Redirects /moved/ within https and /plain/ to http; forwards the rest."""

    def forward(self):
        server = self.server
        for prefix, to in (("/moved/", "/reminder/"),
                           ("/plain/", f"http://127.0.0.1:{server.plain}/reminder/")):
            if self.path.startswith(prefix):
                length = int(self.headers.get("Content-Length") or 0)
                if length:
                    self.rfile.read(length)
                self.send_response(301)
                self.send_header("Location", to + self.path[len(prefix):])
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
        super().forward()

    do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_OPTIONS = forward


class Plain(http.server.BaseHTTPRequestHandler):
    """Where a downgrading redirect points: counts what reaches it, asks for a password."""
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def ask(self):
        self.server.heard += 1
        if self.headers.get("Authorization"):
            self.server.passwords += 1
        length = int(self.headers.get("Content-Length") or 0)
        if length:
            self.rfile.read(length)
        self.send_response(401)
        self.send_header("WWW-Authenticate", 'Basic realm="calendar"')
        self.send_header("Content-Length", "0")
        self.end_headers()

    do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_OPTIONS = ask


class Broken(http.server.BaseHTTPRequestHandler):
    """A calendar that lists two resources and then misbehaves as mode says."""
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body, headers=()):
        self.send_response(status)
        for k, v in headers:
            self.send_header(k, v)
        if body is not None:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if body:
            self.wfile.write(body)

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        if length:
            self.rfile.read(length)
        mode = self.server.mode
        if mode == "redirect":
            return self.answer(302, b"", [("Location", self.path)])
        if self.command == "PROPFIND" and self.headers.get("Depth") == "0":
            if mode == "garbage-listing":
                return self.answer(207, b"<<<this is not xml")
            return self.answer(207, MULTI.format(
                """<d:response><d:href>/cal/</d:href><d:propstat><d:prop><d:resourcetype>
                <d:collection/><c:calendar/></d:resourcetype><d:sync-token>t1</d:sync-token>
                </d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>""").encode())
        if self.command == "PROPFIND":
            rows = "".join(
                f"""<d:response><d:href>/cal/{n}.ics</d:href><d:propstat><d:prop>
                <d:getetag>"e{n}"</d:getetag><d:resourcetype/></d:prop>
                <d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"""
                for n in ("good", "bad"))
            return self.answer(207, MULTI.format(rows).encode())
        if self.command == "REPORT":
            return self.answer(207, b"garbage, not a multistatus")
        if self.command == "GET":
            if self.path.endswith("/good.ics"):
                return self.answer(200, GOOD_ICS.encode(), [("ETag", '"egood"')])
            if mode == "huge":
                self.send_response(200)
                self.send_header("Content-Length", str(40 << 20))
                self.end_headers()
                chunk = b"X" * (1 << 20)
                try:
                    for _ in range(40):
                        self.wfile.write(chunk)
                except OSError:
                    pass
                return
            return self.answer(200, b"BEGIN:VCALENDAR\r\nthis does not parse", [("ETag", '"ebad"')])
        return self.answer(405, b"")

    do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = handle_any


MULTI = """<?xml version="1.0"?><d:multistatus xmlns:d="DAV:"
 xmlns:c="urn:ietf:params:xml:ns:caldav">{}</d:multistatus>"""
GOOD_ICS = """BEGIN:VCALENDAR\r
VERSION:2.0\r
PRODID:-//test//EN\r
BEGIN:VEVENT\r
UID:good-1\r
DTSTAMP:20260101T000000Z\r
DTSTART:20300105T090000\r
SUMMARY:Good one\r
END:VEVENT\r
END:VCALENDAR\r
"""


class Threaded(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--dir", required=True)
    p.add_argument("--cut-after", type=int, default=0)
    p.add_argument("--garbage", default="")
    p.add_argument("--open", action="store_true", help="any password (or none) is taken")
    p.add_argument("--tls", action="store_true", help="https with a self-signed certificate")
    p.add_argument("--redirect", action="store_true", help="an https front that redirects")
    a = p.parse_args()
    plain = None
    proc = None
    if a.garbage:
        server = Threaded(("127.0.0.1", 0), Broken)
        server.mode = a.garbage
        port = server.server_address[1]
    else:
        proc, port = start_radicale(a.dir, a.open, a.tls)
        server = None
        if a.cut_after:
            server = Threaded(("127.0.0.1", 0), Proxy)
            server.upstream, server.cut, server.count, server.dead = port, a.cut_after, 0, False
            print(port, flush=True)  # Radicale itself, for the other side
            port = server.server_address[1]
        elif a.redirect and a.tls:
            plain = Threaded(("127.0.0.1", 0), Plain)
            plain.heard = plain.passwords = 0
            server = Threaded(("127.0.0.1", 0), Front)
            server.upstream, server.cut, server.count, server.dead = port, 1 << 30, 0, False
            server.tls, server.plain = True, plain.server_address[1]
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(os.path.join(a.dir, "cert.pem"), os.path.join(a.dir, "key.pem"))
            server.socket = context.wrap_socket(server.socket, server_side=True)
            print(port, flush=True)
            port = server.server_address[1]
    for s in (server, plain):
        if s:
            threading.Thread(target=s.serve_forever, args=(0.05,), daemon=True).start()
    print(port, flush=True)
    for line in sys.stdin:
        words = shlex.split(line)
        out = io.StringIO()
        try:
            if words and words[0] == "calendar" and proc:
                status, _ = request(int(proc.port), "MKCALENDAR", f"/reminder/{words[1]}/",
                                    tls=a.tls)
                print("ok" if status in (201, 405) else f"MKCALENDAR answered {status}", file=out)
            elif words and words[0] == "mode" and a.garbage:
                server.mode = words[1]
                print("ok", file=out)
            elif words and words[0] == "heard" and plain:
                print(plain.heard, plain.passwords, file=out)
            elif words and words[0] == "peer":
                import caldav_peer
                with contextlib.redirect_stdout(out):
                    caldav_peer.run(words[1], words[2], words[3:])
            else:
                print("unknown command", file=out)
        except Exception as e:  # the test reads what went wrong
            print(f"peer failed: {e}", file=out)
        text = out.getvalue()
        sys.stdout.write(text if not text or text.endswith("\n") else text + "\n")
        print("--end--", flush=True)
    for s in (server, plain):
        if s:
            s.shutdown()
    if proc:
        proc.terminate()
        proc.wait(5)


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    main()
