"""The receiver's web interface for the tests, on 127.0.0.1 and a free port.

Answers the Enigma 1 cgi paths and the Enigma 2 /web paths with basic
authentication, and appends every request path to --log (one line each).
Prints "PORT <n>" once listening.
"""
import argparse
import base64
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

E1_TV_LIST = ("1:15:fffffffc:12:0:0:0:0:0:0:;Bouquets\n"
              "1:31:fffffffb:12:0:0:0:0:0:0:;New found (TV)\n")
E1_RADIO_LIST = "1:31:fffffffb:4:0:0:0:0:0:0:;New found (Radio)\n"
E1_TV_SERVICES = ("1:0:1:6d66:437:1:c00000:0:0:0:;Das Erste HD;ARD\n"
                  "1:0:19:2b66:3f3:1:c00000:0:0:0:;\xc2\x86ZDF\xc2\x87 HD;ZDF\n"
                  "error: bouquet damaged\n")
E1_RADIO_SERVICES = "1:0:2:6f:d:1:c00000:0:0:0:;Bayern 3;BR\n"

from peer_common import exit_with_parent


def main():
    exit_with_parent()
    ap = argparse.ArgumentParser()
    ap.add_argument("--user", required=True)
    ap.add_argument("--password", required=True)
    ap.add_argument("--log", required=True)
    # comma-separated request names answered as failures:
    # message-before, reload, reload-bouquets, message-after
    ap.add_argument("--refuse", default="")
    ap.add_argument("--silent", action="store_true")
    ap.add_argument("--tv-services", default="",
                    help="file whose bytes answer the new-found TV bouquet")
    args = ap.parse_args()
    tv_services = E1_TV_SERVICES
    if args.tv_services:
        with open(args.tv_services, "rb") as f:
            tv_services = f.read().decode("latin-1")
    refuse = set(x for x in args.refuse.split(",") if x)
    expected = "Basic " + base64.b64encode(
        (args.user + ":" + args.password).encode()).decode()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *a):
            pass

        def reply(self, code, body):
            data = body.encode("latin-1")
            self.send_response(code)
            if code == 401:
                self.send_header("WWW-Authenticate", 'Basic realm="dreambox"')
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def do_GET(self):
            with open(args.log, "a") as f:
                f.write(self.path + "\n")
            if args.silent:
                time.sleep(30)
                return
            if self.headers.get("Authorization") != expected:
                self.reply(401, "Unauthorized")
                return
            p = self.path
            ok_e2 = "<e2simplexmlresult><e2state>%s</e2state></e2simplexmlresult>"
            if p.startswith("/web/message"):
                name = "message-before" if "Reloading" in p else "message-after"
                self.reply(200, ok_e2 % ("False" if name in refuse else "True"))
            elif p.startswith("/web/servicelistreload"):
                self.reply(200, ok_e2 % ("False" if "reload" in refuse else "True"))
            elif p.startswith("/cgi-bin/xmessage"):
                name = "message-before" if "Reloading" in p else "message-after"
                self.reply(200, "-error" if name in refuse else "+ok")
            elif p.startswith("/cgi-bin/reloadSettings"):
                self.reply(200, "-error" if "reload" in refuse else "+ok")
            elif p.startswith("/cgi-bin/reloadUserBouquets"):
                self.reply(200, "-error" if "reload-bouquets" in refuse else "+ok")
            elif p == "/cgi-bin/getServices?ref=1:15:fffffffc:12:0:0:0:0:0:0:":
                self.reply(200, E1_TV_LIST)
            elif p == "/cgi-bin/getServices?ref=1:15:fffffffc:4:0:0:0:0:0:0:":
                self.reply(200, E1_RADIO_LIST)
            elif p == "/cgi-bin/getServices?ref=1:31:fffffffb:12:0:0:0:0:0:0:":
                self.reply(200, tv_services)
            elif p == "/cgi-bin/getServices?ref=1:31:fffffffb:4:0:0:0:0:0:0:":
                self.reply(200, E1_RADIO_SERVICES)
            else:
                self.reply(404, "Not found")

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    sys.exit(main())
