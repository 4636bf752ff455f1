#!/usr/bin/python3
"""A panel's StatusNotifierWatcher with a host: prints "registered SERVICE PATH" per item.
--show SERVICE PATH: the item's tooltip, "menu:", then its menu a line an item, indented by
depth ("-" a separator, " [keys]" a shortcut). --click SERVICE PATH LABEL: clicks that item."""
import sys

import dbus
import dbus.service

IFACE = "org.kde.StatusNotifierWatcher"
# Written out: Qt reads the watcher's properties from its introspection data.
INTROSPECTION = f"""<node><interface name="{IFACE}">
 <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
 <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
 <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
 <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
 <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
 <property name="ProtocolVersion" type="i" access="read"/>
</interface></node>"""


class Watcher(dbus.service.Object):
    items = []

    @dbus.service.method(IFACE, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, item, sender=None):
        service, path = (sender, item) if item.startswith("/") else (item, "/StatusNotifierItem")
        self.items.append(service + path)
        print("registered", service, path, flush=True)

    @dbus.service.method(IFACE, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0)}


def menu_lines(node, depth=-1, out=None):
    out = [] if out is None else out
    ident, props, children = node
    if depth >= 0:
        label = str(props.get("label", "")) if props.get("type") != "separator" else "-"
        if props.get("shortcut"):
            label += " [" + "+".join(props["shortcut"][0]) + "]"
        out.append((int(ident), "  " * depth + label))
    for child in children:
        menu_lines(child, depth + 1, out)
    return out


def main():
    if sys.argv[1:2] in (["--show"], ["--click"]):
        bus = dbus.SessionBus()
        props = dbus.Interface(bus.get_object(*sys.argv[2:4]), dbus.PROPERTIES_IFACE)
        menu = dbus.Interface(bus.get_object(sys.argv[2], props.Get(
            "org.kde.StatusNotifierItem", "Menu")), "com.canonical.dbusmenu")
        menu.AboutToShow(0)
        lines = menu_lines(menu.GetLayout(0, -1, [])[1])
        if sys.argv[1] == "--show":
            print(str(props.Get("org.kde.StatusNotifierItem", "ToolTip")[2]) + "\nmenu:")
            print("\n".join(line for _, line in lines))
        for ident, line in lines:
            if sys.argv[1] == "--click" and line.strip().split(" [")[0] == sys.argv[4]:
                menu.Event(ident, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
        return
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, "/StatusNotifierWatcher")
    name = dbus.service.BusName(IFACE, bus, do_not_queue=True)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    # The test ends it (a panel going away) by closing its standard input.
    GLib.io_add_watch(sys.stdin, GLib.IO_HUP | GLib.IO_IN, lambda *a: loop.quit())
    loop.run()
    del name, watcher


if __name__ == "__main__":
    main()
