"""A loopback SMTP server for the mail tests: AUTH LOGIN required, every message received is
written to the given folder as NNN.eml. Prints the port it listens on, then serves until
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
    args = parser.parse_args()
    logging.getLogger("mail.log").setLevel(logging.ERROR)

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = (mechanism == "LOGIN" and isinstance(auth_data, LoginPassword)
              and auth_data.login.decode() == args.user
              and auth_data.password.decode() == args.password)
        return AuthResult(success=ok, handled=False)

    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    controller = Controller(Store(args.dir), hostname="127.0.0.1", port=port,
                            authenticator=authenticate, auth_required=True,
                            auth_require_tls=False)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
