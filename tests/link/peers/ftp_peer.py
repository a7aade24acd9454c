"""FTP server for the tests: pyftpdlib on 127.0.0.1, a free port, one user.

Prints "PORT <n>" once listening. --readonly makes a folder (relative to the
root) unwritable for the user; --hang makes the server swallow one command
without any reply, as a receiver that stops answering.
"""
import argparse
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

from peer_common import exit_with_parent


def main():
    exit_with_parent()
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--user", required=True)
    ap.add_argument("--password", required=True)
    ap.add_argument("--readonly", action="append", default=[])
    ap.add_argument("--hang", action="append", default=[])
    ap.add_argument("--banner", default="Test receiver FTP ready.",
                    help="greeting; \\n starts a new line (long ones go multi-line)")
    ap.add_argument("--hang-retr-of", default="",
                    help="swallow RETR of files with this name only")
    ap.add_argument("--fail", action="append", default=[],
                    help="answer this command with 550 (e.g. NLST)")
    args = ap.parse_args()

    auth = DummyAuthorizer()
    auth.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    for folder in args.readonly:
        auth.override_perm(args.user, args.root.rstrip("/") + "/" + folder.strip("/"),
                           perm="elr", recursive=True)

    class Handler(FTPHandler):
        pass

    Handler.authorizer = auth
    Handler.passive_ports = None
    Handler.auth_failed_timeout = 0.1
    Handler.banner = args.banner.replace("\\n", "\r\n")
    for cmd in args.hang:
        setattr(Handler, "ftp_" + cmd.upper(), lambda self, *a: None)
    if args.hang_retr_of:
        original = FTPHandler.ftp_RETR

        def retr(self, file):
            if file.endswith("/" + args.hang_retr_of):
                return None
            return original(self, file)
        Handler.ftp_RETR = retr
    for cmd in args.fail:
        setattr(Handler, "ftp_" + cmd.upper(),
                lambda self, *a: self.respond("550 Listing refused."))

    logging.basicConfig(level=logging.WARNING)
    logging.getLogger('pyftpdlib').setLevel(logging.WARNING)
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever(timeout=0.2)


if __name__ == "__main__":
    sys.exit(main())
