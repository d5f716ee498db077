#!/usr/bin/python3
"""Reads the running game over AT-SPI, as a screen reader sees it.

Prints the accessible tree of the main window (role, name, description, value, states, key binding), then
moves the field cursor with the arrow keys, presses a field through its accessible "press" action, and prints
every focus change, showing notification and name or description change that arrives meanwhile. Started by
scripts/atspi-pruefen.sh inside its own X server and accessibility bus.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAMM = "findolin"
ereignisse = []
beginn = time.monotonic()


def beschreibe(acc):
    text = f"[{acc.getRoleName()}] {acc.name!r}"
    if acc.description:
        text += f" ({acc.description})"
    try:
        wert = acc.queryValue()
        text += f" Wert {wert.currentValue:g} von {wert.minimumValue:g} bis {wert.maximumValue:g}"
    except NotImplementedError:
        pass
    zustaende = acc.getState()
    for zustand, wort in ((pyatspi.STATE_FOCUSED, "fokussiert"), (pyatspi.STATE_FOCUSABLE, "fokussierbar"),
                          (pyatspi.STATE_SENSITIVE, None)):
        if wort and zustaende.contains(zustand):
            text += f" {wort}"
    if not zustaende.contains(pyatspi.STATE_SENSITIVE):
        text += " gesperrt"
    try:
        aktion = acc.queryAction()
        tasten = [aktion.getKeyBinding(i) for i in range(aktion.nActions) if aktion.getKeyBinding(i)]
        if tasten:
            text += f" Taste {tasten[0]}"
    except NotImplementedError:
        pass
    return text


def drucke_baum(acc, tiefe=0):
    print("  " * tiefe + beschreibe(acc))
    for i in range(acc.childCount):
        kind = acc.getChildAtIndex(i)
        if kind is not None:
            drucke_baum(kind, tiefe + 1)


def finde(acc, bedingung):
    if bedingung(acc):
        return acc
    for i in range(acc.childCount):
        kind = acc.getChildAtIndex(i)
        treffer = finde(kind, bedingung) if kind is not None else None
        if treffer is not None:
            return treffer
    return None


def programm():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == PROGRAMM:
            return app
    return None


def bei_ereignis(ereignis):
    quelle = ereignis.source
    if ereignis.type.startswith("object:state-changed") and not ereignis.detail1:
        return
    try:
        ereignisse.append(f"{time.monotonic() - beginn:6.2f} s {ereignis.type}: {beschreibe(quelle)}")
    except Exception as fehler:  # an object that went away meanwhile
        ereignisse.append(f"{ereignis.type}: ({fehler})")


def taste(symbol):
    pyatspi.Registry.generateKeyboardEvent(symbol, None, pyatspi.KEY_SYM)


def ablauf():
    app = programm()
    if app is None:
        print("findolin is not on the accessibility bus", file=sys.stderr)
        pyatspi.Registry.stop()
        return False
    fenster = finde(app, lambda a: a.name == "Omnor - Findolin")
    print("== Der Baum des Hauptfensters ==")
    drucke_baum(fenster)
    def klicke(acc):
        # Without a window manager a click is what activates the window.
        x, y, breite, hoehe = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(x + breite // 2, y + hoehe // 2, "b1c")

    def druecke(acc):
        ereignisse.append(f"{time.monotonic() - beginn:6.2f} s Feld C3 gedrückt")
        acc.queryAction().doAction(0)

    schritte = [
        lambda: klicke(finde(fenster, lambda a: a.name == "Bild zum Übungsschwerpunkt")),
        lambda: taste(0xFF53),  # Right
        lambda: taste(0xFF54),  # Down
        lambda: druecke(finde(fenster, lambda a: a.name == "Feld C3")),
    ]

    def naechster():
        if schritte:
            try:
                schritte.pop(0)()
            except Exception as fehler:
                ereignisse.append(f"Schritt misslungen: {fehler}")
            return True
        GLib.timeout_add(4000, ende)
        return False

    GLib.timeout_add(800, naechster)
    return False


def ende():
    print("== Ereignisse ==")
    for zeile in ereignisse:
        print(zeile)
    fenster = finde(programm(), lambda a: a.name == "Omnor - Findolin")
    fokus = finde(fenster, lambda a: a.getState().contains(pyatspi.STATE_FOCUSED))
    print("== Fokus am Ende ==")
    print(beschreibe(fokus) if fokus else "keiner")
    pyatspi.Registry.stop()
    return False


for art in ("object:state-changed:focused", "object:state-changed:showing", "object:property-change:accessible-name",
            "object:property-change:accessible-description", "object:value-changed"):
    pyatspi.Registry.registerEventListener(bei_ereignis, art)
GLib.timeout_add(3000, ablauf)
pyatspi.Registry.start()
