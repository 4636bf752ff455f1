"""A loopback SMTP server for the mail tests: AUTH LOGIN required, every message received is
written to the given folder as NNN.eml, every command line received appended to
commands.log. Prints the port it listens on, then serves until
stdin closes."""
import argparse
import logging
import os
import socket
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Store:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        path = os.path.join(self.folder, "%03d.eml" % self.count)
        with open(path + ".tmp", "wb") as f:
            f.write(("X-Envelope-From: %s\r\n" % envelope.mail_from).encode())
            f.write(("X-Envelope-To: %s\r\n" % ",".join(envelope.rcpt_tos)).encode())
            f.write(envelope.original_content)
        os.rename(path + ".tmp", path)
        return "250 OK"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--user", default="reminder")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--host", default="127.0.0.1")
    args = parser.parse_args()
    # Each command line as the server received it, to show what a client really sent.
    commands = logging.FileHandler(os.path.join(args.dir, "commands.log"))
    commands.addFilter(lambda record: " >> " in record.getMessage())
    commands.setFormatter(logging.Formatter("%(message)s"))
    server_log = logging.getLogger("mail.log")
    server_log.setLevel(logging.INFO)
    server_log.propagate = False
    server_log.addHandler(commands)

    def authenticate(server, session, envelope, mechanism, auth_data):
        with open(os.path.join(args.dir, "commands.log"), "a") as log:
            log.write("authenticated with %s\n" % mechanism)
        ok = (mechanism == "LOGIN" and isinstance(auth_data, LoginPassword)
              and auth_data.login.decode() == args.user
              and auth_data.password.decode() == args.password)
        return AuthResult(success=ok, handled=False)

    with socket.socket() as s:
        s.bind((args.host, 0))
        port = s.getsockname()[1]
    controller = Controller(Store(args.dir), hostname=args.host, port=port,
                            authenticator=authenticate, auth_required=True,
                            auth_require_tls=False)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
