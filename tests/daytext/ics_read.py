#!/usr/bin/python3
"""Reads an iCalendar file with Debian's python3-icalendar and prints what a calendar program
sees of it, as JSON: the calendar's properties and, for each event, its properties and alarms.
Fails (exit 1) when the parser finds the file broken or a line is longer than 75 octets."""
import json
import sys

import icalendar


def main(path):
    raw = open(path, "rb").read()
    lines = raw.split(b"\r\n")
    if lines[-1] != b"":
        sys.exit("the file does not end with CR LF")
    for number, line in enumerate(lines[:-1], 1):
        if b"\n" in line or b"\r" in line:
            sys.exit("line %d has a bare line end" % number)
        if len(line) > 75:
            sys.exit("line %d is %d octets long" % (number, len(line)))
        line.decode("utf-8")  # each folded line is whole UTF-8 on its own
    calendar = icalendar.Calendar.from_ical(raw.decode("utf-8"))
    out = {
        "prodid": str(calendar.get("PRODID")),
        "version": str(calendar.get("VERSION")),
        "events": [],
    }
    for event in calendar.walk("VEVENT"):
        start = event.get("DTSTART")
        end = event.get("DTEND")
        alarms = []
        for alarm in event.walk("VALARM"):
            alarms.append({
                "action": str(alarm.get("ACTION")),
                "trigger": int(alarm.get("TRIGGER").dt.total_seconds()),
                "description": str(alarm.get("DESCRIPTION")),
            })
        out["events"].append({
            "uid": str(event.get("UID")),
            "start": start.dt.isoformat(),
            "startIsDate": start.params.get("VALUE") == "DATE",
            "end": end.dt.isoformat(),
            "stamp": event.get("DTSTAMP").dt.isoformat(),
            "summary": str(event.get("SUMMARY")),
            "description": str(event.get("DESCRIPTION")),
            "alarms": alarms,
        })
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
