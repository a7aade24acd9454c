"""A receiver's Telnet dialogue for the tests, on 127.0.0.1 and a free port.

Modes: "shell" negotiates the terminal type, asks for user and password and
answers commands at a "#" prompt; "silent" accepts and never says anything.
Every negotiation answer and every line received is appended to --log.
Prints "PORT <n>" once listening.
"""
import argparse
import socket
import sys
import threading

IAC, DONT, DO, WONT, WILL, SB, SE = 255, 254, 253, 252, 251, 250, 240
TTYPE, ECHO = 24, 1


def serve(conn, args):
    log = open(args.log, "a")

    def note(text):
        log.write(text + "\n")
        log.flush()

    buf = bytearray()

    def read_more():
        data = conn.recv(4096)
        if not data:
            raise EOFError
        buf.extend(data)

    def take_line():
        # Returns one line of text; negotiation bytes are logged as they come.
        while True:
            i = 0
            text = bytearray()
            while i < len(buf):
                b = buf[i]
                if b == IAC:
                    if i + 2 >= len(buf):
                        break
                    if buf[i + 1] == SB:
                        end = buf.find(bytes([IAC, SE]), i)
                        if end < 0:
                            break
                        note("SB " + buf[i + 2:end].hex())
                        i = end + 2
                        continue
                    note("NEG %d %d" % (buf[i + 1], buf[i + 2]))
                    i += 3
                    continue
                if b in (13, 10):
                    del buf[:i + 1]
                    if text:
                        return text.decode("utf-8", "replace")
                    i = 0
                    continue
                text.append(b)
                i += 1
            read_more()

    try:
        if args.mode == "silent":
            while True:
                data = conn.recv(4096)
                if not data:
                    return
        conn.sendall(bytes([IAC, DO, TTYPE, IAC, WILL, ECHO]))
        conn.sendall(bytes([IAC, SB, TTYPE, 1, IAC, SE]))
        while True:
            conn.sendall(b"\r\nreceiver login: ")
            user = take_line()
            note("USER " + user)
            conn.sendall(b"\r\nPassword: ")
            pwd = take_line()
            note("PASS " + pwd)
            if user == args.user and pwd == args.password:
                break
            conn.sendall(b"\r\nLogin incorrect")
        conn.sendall(b"\r\nroot@receiver:~# ")
        while True:
            cmd = take_line()
            note("CMD " + cmd)
            conn.sendall(cmd.encode() + b"\r\n")
            conn.sendall(b"root@receiver:~# ")
    except (EOFError, OSError):
        pass
    finally:
        conn.close()
        log.close()

from peer_common import exit_with_parent


def main():
    exit_with_parent()
    ap = argparse.ArgumentParser()
    ap.add_argument("--mode", default="shell", choices=["shell", "silent"])
    ap.add_argument("--user", default="root")
    ap.add_argument("--password", default="")
    ap.add_argument("--log", required=True)
    args = ap.parse_args()
    srv = socket.socket()
    srv.bind(("127.0.0.1", 0))
    srv.listen(4)
    print("PORT %d" % srv.getsockname()[1], flush=True)
    while True:
        conn, _ = srv.accept()
        threading.Thread(target=serve, args=(conn, args), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())
