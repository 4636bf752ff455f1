#!/usr/bin/env python3
"""Writes the program's HTML help into the folder given: index.html with the contents and one
page per topic number (topic-<n>.html), so that F1 opens its topic with any browser (file
addresses lose their #fragment on the way through xdg-open)."""
import html
import os
import sys

TOPICS = [
    (1, "Contents", "Tavrelon MP3 keeps a notebook of events filed under templates. Each event arises on one date or on recurring dates at set times, can remind you early, can be snoozed, and when it arises it opens an alarm window and runs its actions: a beep, a sound or a playlist, a program, a document or a web address, or an e-mail. The program lives in the tray and reports alarms missed while it was not running."),
    (10000, "Quick tutorial", "Choose \"Add Quick Event...\" (or press its hot key), type what to remind you of and how many minutes from now, and press OK. For anything that repeats, choose \"New Miscelaneous Event...\": pick the date and time on the Date/Time page, the message and actions on the Action page, and an early reminder on the Reminder page. When the alarm window opens, Close ends this arising, Snooze for brings it back after the time you choose, and Find shows the event in the main window."),
    (100, "The main window", "The page list on the left switches between the four pages. The toolbar and the menus hold every command; the status bar shows the next event (click it to select that event)."),
    (110, "Templates page", "The template tree and the list of the selected template's events. Drag an event onto a template to file it there; drag templates to arrange the tree; double-click a template to make an event from it."),
    (120, "Calendar page", "The month grid and the list of the selected day's events. Drag an event line to another day to move it; the header's date button goes to a date."),
    (130, "Event Filter page", "The events that arise on a day, in a week or a month, or whose text contains what you type."),
    (140, "All Events page", "Every event of the notebook in one list. Click a column header to sort by it; right-click the header to choose the columns."),
    (160, "Columns", "Name, Last event, Next event, Next reminder, Until event, Template, State and When. Empty cells sort last."),
    (200, "Event properties", "Everything about one event or template, on five pages. OK stores the changes; Cancel leaves the event as it was."),
    (201, "Date/Time page", "When the event arises: a date condition (once, daily, weekly, monthly, yearly, or a combination with exclusions) and a time condition (once or several times a day, or periodically). More conditions add further dates and times."),
    (202, "Action page", "The message the alarm window shows (its first line is the event's description) and what is done when the event arises."),
    (203, "Reminder page", "An early reminder before the event: how long before, how often it repeats, and what it does."),
    (204, "Options page", "The icon, whether the event is deleted after its last arising, whether a missed arising is reported, the default snooze, the alarm window's colours and the template."),
    (205, "Summary page", "All of the event in words. The > buttons go to the page of each part."),
    (210, "Repeat", "How long a repeating date goes on: for ever, until a date, or a number of times."),
    (220, "Name", "The event's description is the first line of its message."),
    (230, "Exclude", "Dates on which a combined date condition does not arise."),
    (240, "Choose Date/Time", "One further date and time of an event."),
    (243, "Choose date", "A date condition."),
    (247, "Choose time", "A time of day."),
    (250, "Choose action", "One action: beep, play a sound or playlist, run a program, open a document or web address, or send an e-mail. The test button tries it at once."),
    (260, "Time of reminder", "The time of day at which a reminder placed days before the event arises."),
    (270, "Reminder repeat", "How often and how long a reminder repeats before the event."),
    (280, "Choose reminder condition", "One further reminder."),
    (310, "The alarm window", "Opens when an event or its reminder arises. Close (Alt+C or Esc) ends this arising; Snooze for (Alt+S) brings it back after the time chosen beside it; Find (Alt+F) shows the event in the main window. An alarm missed while the program was closed is marked [overdue]."),
    (320, "Options", "The program's settings, one page each. OK applies them at once."),
    (330, "Fonts", "The fonts of the tree, the lists and the calendar."),
    (340, "Colours", "The background colours of the views and the calendar."),
    (350, "Behaviour", "The tray icon, hiding from the task bar, desktop notifications, the first day of the week and what the lists show."),
    (360, "Media", "The built-in player or an external one that speaks MPRIS, and the beep."),
    (370, "Startup", "Start the program when you log in, and the data files' folder."),
    (380, "Keyboard", "The hot keys that show the window or make events from anywhere. Where the desktop does not allow global hot keys (Wayland), the page says so."),
    (385, "Mail", "The SMTP server, its port and security, and the sign-in. The password is kept in the desktop's secret store when one runs."),
    (390, "Create Quick Event", "A message and a delay from now, or one date and time."),
    (400, "Choose Template", "Pick the template the new event is filed under."),
    (410, "Delete template", "Deleting a template either deletes its events too or files them under the default template."),
]

STYLE = ("body{font-family:sans-serif;max-width:46em;margin:2em auto;line-height:1.45;"
         "padding:0 1em}h1{border-bottom:1px solid #ccc}li{margin:.15em 0}")


def page(title, body):
    return ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{html.escape(title)} - Tavrelon MP3 Help</title>\n<style>{STYLE}</style>\n"
            f"</head>\n<body>\n{body}\n</body>\n</html>\n")


def main(folder):
    os.makedirs(folder, exist_ok=True)
    items = "\n".join(f"<li><a href=\"topic-{n}.html\">{html.escape(t)}</a></li>"
                      for n, t, _ in TOPICS[1:])
    number, title, text = TOPICS[0]
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as f:
        f.write(page("Tavrelon MP3 Help", f"<h1>Tavrelon MP3 Help</h1>\n<p>{html.escape(text)}"
                     f"</p>\n<ul>\n{items}\n</ul>"))
    for n, t, text in TOPICS[1:]:
        with open(os.path.join(folder, f"topic-{n}.html"), "w", encoding="utf-8") as f:
            f.write(page(t, f"<p><a href=\"index.html\">Contents</a></p>\n<h1>{html.escape(t)}"
                         f"</h1>\n<p>{html.escape(text)}</p>"))


if __name__ == "__main__":
    main(sys.argv[1])
