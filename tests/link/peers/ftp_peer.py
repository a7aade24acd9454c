"""FTP server for the tests: pyftpdlib on 127.0.0.1, a free port, one user.

Prints "PORT <n>" once listening. --readonly makes a folder (relative to the
root) unwritable for the user; --hang makes the server swallow one command
without any reply, as a receiver that stops answering. The --die-* options
make the whole server process end at a chosen upload or rename, as a
receiver that loses power; --full-after answers uploads with 552.
"""
import argparse
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
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
    ap.add_argument("--refuse", action="append", default=[],
                    help="answer this command with 502, as a server without it")
    ap.add_argument("--die-after-stor", type=int, default=-1,
                    help="end the server when upload number n + 1 begins")
    ap.add_argument("--die-inside-stor", type=int, default=-1,
                    help="end the server after the first block of upload n + 1")
    ap.add_argument("--die-after-rnto", type=int, default=-1,
                    help="end the server when rename number n + 1 is asked")
    ap.add_argument("--full-after", type=int, default=-1,
                    help="answer uploads after the first n with 552")
    args = ap.parse_args()
    counts = {"stor": 0, "rnto": 0}

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
    for cmd in args.refuse:
        setattr(Handler, "ftp_" + cmd.upper(),
                lambda self, *a: self.respond("502 Command not implemented."))

    original_stor = Handler.ftp_STOR

    def stor(self, file, mode="w"):
        counts["stor"] += 1
        n = counts["stor"]
        if args.die_after_stor >= 0 and n > args.die_after_stor:
            os._exit(0)
        if args.full_after >= 0 and n > args.full_after:
            self.respond("552 Requested file action aborted. Exceeded storage allocation.")
            return None
        return original_stor(self, file, mode)
    Handler.ftp_STOR = stor

    class DyingFile:
        """An upload's file that ends the server after its first block."""
        def __init__(self, f):
            self._f = f

        def write(self, data):
            n = self._f.write(data)
            self._f.flush()
            os._exit(0)
            return n

        def __getattr__(self, name):
            return getattr(self._f, name)

    class DyingFS(AbstractedFS):
        def open(self, filename, mode):
            f = AbstractedFS.open(self, filename, mode)
            if "w" in mode and args.die_inside_stor >= 0 and counts["stor"] > args.die_inside_stor:
                return DyingFile(f)
            return f
    Handler.abstracted_fs = DyingFS

    original_rnto = Handler.ftp_RNTO

    def rnto(self, path):
        counts["rnto"] += 1
        if args.die_after_rnto >= 0 and counts["rnto"] > args.die_after_rnto:
            os._exit(0)
        return original_rnto(self, path)
    Handler.ftp_RNTO = rnto

    logging.basicConfig(level=logging.WARNING)
    logging.getLogger('pyftpdlib').setLevel(logging.WARNING)
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever(timeout=0.2)


if __name__ == "__main__":
    sys.exit(main())
