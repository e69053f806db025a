#!/usr/bin/env python3
"""A small HTTP server on the loopback address for the update check's tests.

usage: loopback_server.py ROOT [--until-stopped]
Prints "PORT <n>" once it listens (on a port the system picks), and writes the same into
ROOT/port for a caller that cannot read its output; ends when ROOT/stop appears or its
parent ends (only when ROOT/stop appears with --until-stopped, for a parent that is not
the process that started it). Every request head is appended to ROOT/requests.log. Answers:
  /pemu/AppVer.php     ROOT/AppVer.txt (status from ROOT/AppVer.status, default 200)
  /files/missing*      404
  /files/short*        the file ROOT/files/NAME, announced 500 bytes longer than it is
  /files/nolength*     the file without a Content-Length (the connection end closes it)
  /files/slow*         4 MB announced, sent in 1024-byte pieces 5 ms apart
  /files/NAME          the file ROOT/files/NAME, or 404
  /hop/N/PATH          N > 0: 302 to /hop/N-1/PATH (as a full address for even N, as a path
                       for odd N); N = 0: PATH as above
  /away/PATH           302 to an ftp:// address
"""
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

ROOT = sys.argv[1]
LOG_LOCK = threading.Lock()


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def log_request_head(self):
        head = self.requestline + "\r\n" + "".join(
            f"{k}: {v}\r\n" for k, v in self.headers.items()) + "\r\n"
        with LOG_LOCK, open(os.path.join(ROOT, "requests.log"), "a") as log:
            log.write(head)

    def answer(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        self.wfile.write(body)

    def redirect(self, location):
        self.send_response(302)
        self.send_header("Location", location)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def do_GET(self):
        self.log_request_head()
        path = self.path.split("?")[0]
        if path.startswith("/away/"):
            return self.redirect("ftp://127.0.0.1" + path[len("/away"):])
        while path.startswith("/hop/"):
            count, _, rest = path[len("/hop/"):].partition("/")
            hops = int(count)
            if hops > 0:
                target = f"/hop/{hops - 1}/{rest}"
                if hops % 2 == 0:
                    target = "http://" + self.headers["Host"] + target
                return self.redirect(target)
            path = "/" + rest
        if path == "/pemu/AppVer.php":
            status_file = os.path.join(ROOT, "AppVer.status")
            status = int(read(status_file)) if os.path.exists(status_file) else 200
            body = read(os.path.join(ROOT, "AppVer.txt"))
            return self.answer(status, body, len(body))
        if not path.startswith("/files/"):
            return self.answer(404, b"not here", 8)
        name = path[len("/files/"):]
        if name.startswith("missing"):
            return self.answer(404, b"<html>Not Found</html>", 22)
        if name.startswith("slow"):
            total = 4 * 1024 * 1024
            self.send_response(200)
            self.send_header("Content-Length", str(total))
            self.end_headers()
            try:
                for _ in range(total // 1024):
                    self.wfile.write(b"s" * 1024)
                    self.wfile.flush()
                    time.sleep(0.005)
            except (BrokenPipeError, ConnectionResetError):
                pass
            return
        file = os.path.join(ROOT, "files", name)
        if not os.path.isfile(file):
            return self.answer(404, b"not here", 8)
        body = read(file)
        if name.startswith("short"):
            return self.answer(200, body, len(body) + 500)
        if name.startswith("nolength"):
            return self.answer(200, body, None)
        return self.answer(200, body, len(body))


def end_with_parent():
    """A test that dies without stopping its server takes the server with it."""
    parent = os.getppid()
    stop = os.path.join(ROOT, "stop")
    watch_parent = sys.argv[2:] != ["--until-stopped"]
    while not os.path.exists(stop) and (not watch_parent or os.getppid() == parent):
        time.sleep(0.2)
    os._exit(0)


def main():
    threading.Thread(target=end_with_parent, daemon=True).start()
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    port = f"PORT {server.server_address[1]}"
    with open(os.path.join(ROOT, "port.part"), "w") as f:
        f.write(port + "\n")
    os.replace(os.path.join(ROOT, "port.part"), os.path.join(ROOT, "port"))
    print(port, flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
