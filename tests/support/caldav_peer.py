#!/usr/bin/python3
"""The other side of the CalDAV tests: another client, through Python's caldav module.

caldav_peer.py URL COMMAND... (or run() from caldav_server.py): add UID SUMMARY [START] | change UID SUMMARY | delete UID |
list (one "UID<TAB>SUMMARY" line each, sorted) | many N (N events in one go) | record UID
(the event's X-KELVO-EVENT, decoded, as this program's side wrote it)."""

import base64
import sys
import caldav

USER, PASSWORD = "reminder", "secret"


def ics(uid, summary, start="20300105T090000"):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//peer//EN\r\nBEGIN:VEVENT\r\n"
            f"UID:{uid}\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:{start}\r\n"
            f"SUMMARY:{summary}\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")


def main():
    run(sys.argv[1], sys.argv[2], sys.argv[3:])


def run(url, command, args):
    # The test server's certificate is its own, made for the test.
    client = caldav.DAVClient(url, username=USER, password=PASSWORD, ssl_verify_cert=False)
    cal = caldav.Calendar(client=client, url=url)
    if command == "add":
        cal.save_event(ics(*args))
    elif command == "many":
        for n in range(int(args[0])):
            cal.save_event(ics(f"peer-{n}", f"Peer event {n}"))
    elif command == "change":
        e = cal.event_by_uid(args[0])
        e.vobject_instance.vevent.summary.value = args[1]
        e.save()
    elif command == "delete":
        cal.event_by_uid(args[0]).delete()
    elif command == "record":
        own = cal.event_by_uid(args[0]).vobject_instance.vevent.contents.get("x-kelvo-event")
        print(base64.b64decode(own[0].value).decode("utf-8", "replace") if own else "")
    elif command == "list":
        rows = []
        for e in cal.events():
            v = e.vobject_instance.vevent
            rows.append(f"{v.uid.value}\t{v.summary.value}")
        print("\n".join(sorted(rows)))
    else:
        raise SystemExit("unknown command " + command)


if __name__ == "__main__":
    main()
