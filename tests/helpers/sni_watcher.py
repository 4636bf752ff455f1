#!/usr/bin/python3
"""A StatusNotifierWatcher with a host, as a desktop panel runs it: tray icons register with it.
Prints "registered SERVICE PATH" for each registration, flushed, for the test to read.

sni_watcher.py --show SERVICE PATH prints the item's tooltip, then "menu:" and its menu, one
item a line, indented by depth ("-" for a separator, "[key]" after an item with a shortcut).
sni_watcher.py --click SERVICE PATH LABEL clicks the menu item of that label, as a panel does."""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

IFACE = "org.kde.StatusNotifierWatcher"
# Written out because Qt reads the properties from the introspection data.
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        self.items = []
        super().__init__(bus, "/StatusNotifierWatcher")

    @dbus.service.method(IFACE, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, item, sender=None):
        service, path = (item, "/StatusNotifierItem") if not item.startswith("/") else (sender, item)
        self.items.append(service + path)
        print("registered", service, path, flush=True)
        self.StatusNotifierItemRegistered(service + path)

    @dbus.service.method(IFACE, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(IFACE, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(IFACE, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, in_signature="", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": True,
            "ProtocolVersion": dbus.Int32(0),
        }


def menu_of(bus, service, path):
    item = bus.get_object(service, path)
    props = dbus.Interface(item, dbus.PROPERTIES_IFACE)
    menu = bus.get_object(service, props.Get("org.kde.StatusNotifierItem", "Menu"))
    return props, dbus.Interface(menu, "com.canonical.dbusmenu")


def walk(node, depth, out):
    ident, props, children = node
    if depth >= 0:
        if props.get("type") == "separator":
            label = "-"
        else:
            label = str(props.get("label", ""))
            keys = props.get("shortcut")
            if keys:
                label += " [" + "+".join(str(k) for k in keys[0]) + "]"
        out.append((int(ident), "  " * depth + label))
    for child in children:
        walk(child, depth + 1, out)
    return out


def show(service, path):
    bus = dbus.SessionBus()
    props, menu = menu_of(bus, service, path)
    tip = props.Get("org.kde.StatusNotifierItem", "ToolTip")
    print(str(tip[2]))
    print("menu:")
    menu.AboutToShow(0)
    for _, line in walk(menu.GetLayout(0, -1, [])[1], -1, []):
        print(line)


def click(service, path, label):
    bus = dbus.SessionBus()
    _, menu = menu_of(bus, service, path)
    for ident, line in walk(menu.GetLayout(0, -1, [])[1], -1, []):
        if line.strip().split(" [")[0] == label:
            menu.Event(ident, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
            return
    sys.exit("no item " + label)


def main():
    if sys.argv[1:2] == ["--show"]:
        return show(*sys.argv[2:4])
    if sys.argv[1:2] == ["--click"]:
        return click(*sys.argv[2:5])
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    name = dbus.service.BusName(IFACE, bus, do_not_queue=True)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    # The test ends it by closing its standard input.
    GLib.io_add_watch(sys.stdin, GLib.IO_HUP | GLib.IO_IN, lambda *a: loop.quit())
    loop.run()
    del name, watcher


if __name__ == "__main__":
    main()
