#!/usr/bin/env python3
"""Writes a large invented library export in the player's XML format, for benchmarks.

The layout follows real exports: tab indentation, one-line scalar entries, "&" written
as "&#38;", the whole-library playlist first ("Master" true), "Playlist Items" as
arrays of one-key dicts, playlists without items lacking the key.

    tools/genlibrary.py --tracks 100000 --seed 7 -o /tmp/big.xml
"""
import argparse
import random
import sys
import urllib.parse
from datetime import datetime, timedelta, timezone

HEADER = """<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
"""
MUSIC_FOLDER = "file://localhost/Users/listener/Music/iTunes/iTunes%20Media/"

SYLLABLES = ["la", "mor", "vin", "ta", "ké", "ro", "sol", "dri", "an", "bel", "cu", "zo", "ñu",
             "fen", "gar", "li", "mé", "nor", "pa", "qui", "rä", "sen", "tor", "ul", "vø", "wes"]
WORDS = ["Night", "River", "Glass", "Summer", "Lantern", "Paper", "Echo", "Harbor", "Velvet",
         "Winter", "Signal", "Garden", "Static", "Orchard", "Silver", "Hollow", "Ember", "Tide",
         "Café", "Über", "Señal", "Don’t", "Let's", "Rock & Roll", "Heart", "光", "夜の街"]
GENRES = ["Rock", "Pop", "Jazz", "Electronic", "Folk", "Classical", "Hip-Hop", "R&B", "Country",
          "Ambient", "Soundtrack", "Latin", "Blues", "Reggae", "Metal", "World"]
KINDS = [("MPEG audio file", ".mp3"), ("AAC audio file", ".m4a"), ("Purchased AAC audio file", ".m4a"),
         ("Apple Lossless audio file", ".m4a")]


def escape(text):
    return text.replace("&", "&#38;").replace("<", "&#60;").replace(">", "&#62;")


def date(moment):
    return moment.strftime("%Y-%m-%dT%H:%M:%SZ")


def persistent_id(rng):
    return "%016X" % rng.getrandbits(64)


class Writer:
    """Writes entries at a given depth of tabs."""

    def __init__(self, out):
        self.out = out

    def line(self, depth, text):
        self.out.write("\t" * depth + text + "\n")

    def entry(self, depth, key, value):
        if isinstance(value, bool):
            element = "<true/>" if value else "<false/>"
        elif isinstance(value, int):
            element = "<integer>%d</integer>" % value
        elif isinstance(value, datetime):
            element = "<date>%s</date>" % date(value)
        else:
            element = "<string>%s</string>" % escape(value)
        self.line(depth, "<key>%s</key>%s" % (escape(key), element))


def write_library(out, tracks, playlists, library_id=None):
    """tracks: list of dicts in key order (must hold "Track ID"); playlists: list of
    (name, playlist id, [track ids]) with the whole-library playlist first."""
    w = Writer(out)
    out.write(HEADER)
    w.entry(1, "Major Version", 1)
    w.entry(1, "Minor Version", 1)
    w.entry(1, "Date", datetime(2024, 3, 9, 18, 4, 11, tzinfo=timezone.utc))
    w.entry(1, "Application Version", "12.12.10.1")
    w.entry(1, "Features", 5)
    w.entry(1, "Show Content Ratings", True)
    w.entry(1, "Music Folder", MUSIC_FOLDER)
    w.entry(1, "Library Persistent ID", library_id or "5C1E0D7A93B2F418")
    w.line(1, "<key>Tracks</key>")
    w.line(1, "<dict>")
    for track in tracks:
        w.line(2, "<key>%d</key>" % track["Track ID"])
        w.line(2, "<dict>")
        for key, value in track.items():
            w.entry(3, key, value)
        w.line(2, "</dict>")
    w.line(1, "</dict>")
    w.line(1, "<key>Playlists</key>")
    w.line(1, "<array>")
    rng = random.Random(len(playlists))
    for index, (name, pid, items) in enumerate(playlists):
        w.line(2, "<dict>")
        w.entry(3, "Name", name)
        if index == 0:
            w.entry(3, "Master", True)
        w.entry(3, "Playlist ID", pid)
        w.entry(3, "Playlist Persistent ID", persistent_id(rng))
        if index == 0:
            w.entry(3, "Visible", False)
        w.entry(3, "All Items", True)
        if items:
            w.line(3, "<key>Playlist Items</key>")
            w.line(3, "<array>")
            for track_id in items:
                w.line(4, "<dict>")
                w.entry(5, "Track ID", track_id)
                w.line(4, "</dict>")
            w.line(3, "</array>")
        w.line(2, "</dict>")
    w.line(1, "</array>")
    out.write("</dict>\n</plist>\n")


def location(artist, album, number, name, suffix):
    parts = [artist or "Unknown Artist", album or "Unknown Album", "%02d %s%s" % (number, name, suffix)]
    return MUSIC_FOLDER + "Music/" + "/".join(urllib.parse.quote(p) for p in parts)


def track_record(track_id, name, artist, album, genre, year, total_ms, number, count, rng):
    """A track dict with the usual 20 to 30 keys of a real export, in their order."""
    kind, suffix = rng.choice(KINDS)
    added = datetime(2009, 1, 1, tzinfo=timezone.utc) + timedelta(seconds=rng.randrange(400_000_000))
    t = {"Track ID": track_id, "Name": name}
    if artist:
        t["Artist"] = artist
        t["Album Artist"] = artist
    if rng.random() < 0.3:
        t["Composer"] = artist or name
    if album:
        t["Album"] = album
    if genre:
        t["Genre"] = genre
    t["Kind"] = kind
    t["Size"] = total_ms * 40 + rng.randrange(100_000)
    t["Total Time"] = total_ms
    t["Disc Number"] = 1
    t["Disc Count"] = 1
    t["Track Number"] = number
    t["Track Count"] = count
    if year:
        t["Year"] = year
    t["Date Modified"] = added + timedelta(days=rng.randrange(30))
    t["Date Added"] = added
    t["Bit Rate"] = rng.choice([128, 192, 256, 320])
    t["Sample Rate"] = 44100
    if rng.random() < 0.6:
        plays = rng.randrange(1, 90)
        t["Play Count"] = plays
        t["Play Date"] = 3_400_000_000 + rng.randrange(200_000_000)
        t["Play Date UTC"] = added + timedelta(days=rng.randrange(1, 900))
    if rng.random() < 0.3:
        t["Rating"] = rng.choice([20, 40, 60, 80, 100])
    t["Artwork Count"] = 1
    t["Persistent ID"] = persistent_id(rng)
    t["Track Type"] = "File"
    t["Location"] = location(artist, album, number, name, suffix)
    t["File Folder Count"] = 5
    t["Library Folder Count"] = 1
    return t


def invented_name(rng, words):
    if rng.random() < 0.5:
        return " ".join(rng.choice(WORDS) for _ in range(words))
    return " ".join("".join(rng.choice(SYLLABLES) for _ in range(rng.randint(2, 3))).capitalize()
                    for _ in range(words))


def generate(track_total, playlist_total, seed):
    rng = random.Random(seed)
    artists = [invented_name(rng, rng.randint(1, 3)) for _ in range(max(1, track_total // 40))]
    tracks = []
    track_id = 1000
    while len(tracks) < track_total:
        artist = rng.choice(artists) if rng.random() > 0.02 else ""
        album = invented_name(rng, rng.randint(1, 4)) if rng.random() > 0.05 else ""
        genre = rng.choice(GENRES) if rng.random() > 0.05 else ""
        year = rng.randint(1955, 2024) if rng.random() > 0.05 else 0
        count = min(rng.randint(6, 16), track_total - len(tracks))
        for number in range(1, count + 1):
            track_id += 2
            tracks.append(track_record(track_id, invented_name(rng, rng.randint(1, 5)), artist, album, genre,
                                       year, rng.randint(90_000, 420_000), number, count, rng))
    ids = [t["Track ID"] for t in tracks]
    playlists = [("Library", 100, ids)]
    for n in range(1, playlist_total):
        size = 0 if n % 10 == 0 else rng.randint(10, max(10, track_total // 10))
        playlists.append((invented_name(rng, rng.randint(1, 3)), 100 + n * 7, rng.sample(ids, min(size, len(ids)))))
    return tracks, playlists


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tracks", type=int, default=100_000, help="number of tracks (default 100000)")
    parser.add_argument("--playlists", type=int, default=40, help="number of playlists, the library included")
    parser.add_argument("--seed", type=int, default=1, help="random seed (same seed, same file)")
    parser.add_argument("-o", "--output", default="-", help="output file (default: standard output)")
    args = parser.parse_args()
    tracks, playlists = generate(args.tracks, max(1, args.playlists), args.seed)
    if args.output == "-":
        write_library(sys.stdout, tracks, playlists)
    else:
        with open(args.output, "w", encoding="utf-8", newline="\n") as out:
            write_library(out, tracks, playlists)


if __name__ == "__main__":
    main()
