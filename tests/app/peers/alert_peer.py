"""The maker's alert server for the splash tests, on 127.0.0.1 and a free port.

Answers GET /banner/ChanforgeAlert.txt with the bytes of --body, writes each
request's path and headers to --log, and prints "PORT <n>" once listening.
--status answers with another code; --trickle sends one byte a second
forever after the headers; --huge sends endless text without a length.
"""
import argparse
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

from peer_common import exit_with_parent


def main():
    exit_with_parent()
    ap = argparse.ArgumentParser()
    ap.add_argument("--body", default="")
    ap.add_argument("--log", required=True)
    ap.add_argument("--status", type=int, default=200)
    ap.add_argument("--trickle", action="store_true")
    ap.add_argument("--huge", action="store_true")
    args = ap.parse_args()
    body = b""
    if args.body:
        with open(args.body, "rb") as f:
            body = f.read()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *a):
            pass

        def do_GET(self):
            with open(args.log, "a") as f:
                f.write("GET %s\n" % self.path)
                for k, v in self.headers.items():
                    f.write("%s: %s\n" % (k, v))
                f.write("\n")
            try:
                if self.path != "/banner/ChanforgeAlert.txt":
                    self.send_error(404)
                    return
                if args.trickle:
                    self.send_response(200)
                    self.send_header("Content-Type", "text/plain")
                    self.end_headers()
                    while True:
                        self.wfile.write(b"x")
                        self.wfile.flush()
                        time.sleep(1)
                if args.huge:
                    self.send_response(200)
                    self.send_header("Content-Type", "text/plain")
                    self.end_headers()
                    chunk = b"<b>flood</b>" * 1000
                    while True:
                        self.wfile.write(chunk)
                data = body if args.status == 200 else b"Not here"
                self.send_response(args.status)
                self.send_header("Content-Type", "text/plain")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
            except (BrokenPipeError, ConnectionResetError):
                pass

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    sys.exit(main())
