#!/usr/bin/env python3
"""Writes the level files of the arcade missions 0, 1 and 2:
missions/arcade/000000000N/structure.xml.

    python3 tools/levels/arcade_levels.py        (from the source folder)

The files are committed; run this again only after changing a level here.

A level's ground is three tile layers drawn over each other: full tiles of one
tile set at the bottom, then the corner tiles of the other set, then corner
tiles of the first set again. A corner layer follows a mask of the tile
corners (27 a row): a tile shows the corners of its set where the mask holds,
so shapes drawn into the mask (roads, clearings, fields) come out with soft
edges. The last rows of a level are plain ground, as they repeat for as long
as the level scrolls.

The enemies are given by the time of the flight at which they come in; the
script turns times into tile rows through the level's scroll curve. With a
window 768 pixels high the ground moves 24 rows for each window height
scrolled, and an enemy of row r comes in once the ground has moved r - 27 rows.
Turrets sit on the ground and are given by their row.
"""

import math
import os
import random

COLUMNS = 26
GRASS, EARTH = 0, 1
EMPTY = 0xFFF0


def full_tile(tile_set):
    return (tile_set << 16) | 15


def corner_tile(tile_set, top_left, top_right, bottom_left, bottom_right):
    flags = (1 if top_left else 0) | (2 if top_right else 0) | (4 if bottom_left else 0) | (8 if bottom_right else 0)
    return EMPTY if flags == 0 else (tile_set << 16) | flags


class Mask:
    """Tile corners: corner (column i, row j) is the bottom-left corner of tile
    (i, j); columns 0 to 26, rows 0 to the level's row count."""

    def __init__(self, rows):
        self.rows = rows
        self.cells = [[False] * (COLUMNS + 1) for _ in range(rows + 1)]

    def paint(self, inside, first=0, last=None, value=True):
        last = self.rows if last is None else min(last, self.rows)
        for j in range(max(first, 0), last + 1):
            for i in range(COLUMNS + 1):
                if inside(i, j):
                    self.cells[j][i] = value

    def road(self, centre, half_width, first, last, value=True):
        """A band along the rows whose middle and half width are functions of the row."""
        self.paint(lambda i, j: abs(i - centre(j)) <= half_width(j), first, last, value)

    def disc(self, column, row, radius, value=True, squash=1.0):
        r = int(radius / squash) + 1
        self.paint(lambda i, j: ((i - column) * squash) ** 2 + (j - row) ** 2 <= radius * radius, row - r, row + r,
                   value)

    def rectangle(self, left, bottom, right, top, value=True):
        self.paint(lambda i, j: left <= i <= right and bottom <= j <= top, bottom, top, value)

    def clear_from(self, row):
        for j in range(row, self.rows + 1):
            self.cells[j] = [False] * (COLUMNS + 1)

    def tiles(self, tile_set):
        grid = []
        for j in range(self.rows):
            below, above = self.cells[j], self.cells[j + 1]
            grid.append([corner_tile(tile_set, above[i], above[i + 1], below[i], below[i + 1]) for i in range(COLUMNS)])
        return grid


class Curve:
    """The scroll speed, window heights per second, between points (time, speed)."""

    def __init__(self, points):
        self.points = points

    def speed(self, t):
        p = self.points
        if t <= p[0][0]:
            return p[0][1]
        for (t0, v0), (t1, v1) in zip(p, p[1:]):
            if t <= t1:
                return v0 + (v1 - v0) * (t - t0) / (t1 - t0)
        return p[-1][1]

    def position(self, t, step=0.01):
        total, x = 0.0, 0.0
        while x < t:
            dx = min(step, t - x)
            total += (self.speed(x) + self.speed(x + dx)) * 0.5 * dx
            x += dx
        return total

    def xml(self):
        points = "".join('<point x="%g" y="%g"/>' % point for point in self.points)
        return '<graph type="linear_interpolation">%s</graph>' % points


class Level:
    def __init__(self, number, base, rows, curve, comment):
        self.number = number
        self.base = base
        self.other = EARTH if base == GRASS else GRASS
        self.rows = rows
        self.curve = curve
        self.comment = comment
        self.middle = Mask(rows)    # the other set over the base
        self.top = Mask(rows)       # the base set again, over the middle layer
        self.enemies = []           # (column, row, type, extra XML)
        self.sprites = []           # (column, row, resource, offset x, offset y)
        self.random = random.Random(1000 + number)

    def corner_set(self, i, j):
        """The tile set that shows at a tile corner."""
        if self.top.cells[j][i]:
            return self.base
        if self.middle.cells[j][i]:
            return self.other
        return self.base

    def ground(self, column, row):
        """The tile set of a tile whose four corners agree, else None."""
        if not (0 <= column < COLUMNS and 0 <= row < self.rows):
            return None
        sets = {self.corner_set(i, j) for i in (column, column + 1) for j in (row, row + 1)}
        return sets.pop() if len(sets) == 1 else None

    def free(self, column, row):
        """No turret and no other placed thing on or beside the tile."""
        for c, r, kind, _ in self.enemies:
            if kind.startswith("turret") and abs(c - column) <= 1 and abs(r - row) <= 1:
                return False
        return all(abs(c - column) + abs(r - row) > 0 for c, r, _, _, _ in self.sprites)

    def place(self, column, row, resource, on, jitter=6.0):
        """Puts a picture on a tile of the ground `on` (the whole tile), if free."""
        if self.ground(column, row) != on or not self.free(column, row):
            return False
        self.sprites.append((column, row, resource, 16 + self.random.uniform(-jitter, jitter),
                             16 + self.random.uniform(-jitter, jitter)))
        return True

    def copse(self, column, row, count, resource, on, spread=2.5):
        """A cluster of pictures around a tile."""
        for _ in range(count * 3):
            if count <= 0:
                break
            c = int(round(column + self.random.gauss(0, spread)))
            r = int(round(row + self.random.gauss(0, spread)))
            if self.place(c, r, resource, on):
                count -= 1

    def scatter(self, resource, on, count, first, last):
        for _ in range(count * 5):
            if count <= 0:
                break
            if self.place(self.random.randrange(COLUMNS), self.random.randrange(first, last), resource, on):
                count -= 1

    def row_at(self, t):
        """The row that comes in at the flight time t."""
        return 27 + int(round(24 * self.curve.position(t)))

    def visible_row(self, t, fraction):
        """The ground row that stands `fraction` of the screen down from its top at time t."""
        return int(24 * self.curve.position(t) + 24 * (1 - fraction))

    # Pick-ups: the same weapon again goes a level up, another weapon takes
    # its place at its lowest level. So a level hands out its pulse cannon
    # (wpn000) upgrades before its twin laser (wpn001), never after.
    def add(self, column, row, kind, upgrades=(), kill_to_win=False):
        extra = ""
        if upgrades:
            extra += "<upgrades>%s</upgrades>" % "".join("<upgrade>%s</upgrade>" % u for u in upgrades)
        if kill_to_win:
            extra += "<kill_to_win/>"
        self.enemies.append((max(0, min(COLUMNS - 1, column)), row, kind, extra))

    def at(self, t, column, kind, **options):
        self.add(column, self.row_at(t), kind, **options)

    # Waves of flying enemies, each given by the time at which it begins.
    def line(self, t, kind, columns, **options):
        for column in columns:
            self.at(t, column, kind, **options)

    def file(self, t, kind, column, count, spacing, **options):
        for k in range(count):
            self.at(t + k * spacing, column, kind, **options)

    def sweep(self, t, kind, columns, spacing, **options):
        for k, column in enumerate(columns):
            self.at(t + k * spacing, column, kind, **options)

    def vee(self, t, kind, centre, count, spread, spacing, **options):
        self.at(t, centre, kind, **options)
        for k in range(1, count // 2 + 1):
            self.at(t + k * spacing, centre - k * spread, kind)
            self.at(t + k * spacing, centre + k * spread, kind)

    def turrets(self, kind, places, **options):
        for column, row in places:
            self.add(column, row, kind, **options)

    def write(self, root):
        base_row = [full_tile(self.base)] * COLUMNS
        layers = [
            tile_layer([base_row] * self.rows),
            tile_layer(self.middle.tiles(self.other)),
            tile_layer(self.top.tiles(self.base)),
            sparse_layer(self.sprites),
        ]
        enemies = sorted(self.enemies, key=lambda e: (e[1], e[0], e[2]))
        lines = ['<?xml version="1.0" encoding="utf-8" standalone="yes"?>',
                 "<!-- %s -->" % self.comment,
                 '<mission version="1">',
                 "    <layers>"]
        lines += layers
        lines.append('        <stage type="tangible" scroll_factor="1">')
        lines.append("            <enemies>")
        for column, row, kind, extra in enemies:
            lines.append('                <enemy x="%d" y="%d" type="%s">%s</enemy>' % (column, row, kind, extra))
        lines.append("            </enemies>")
        lines.append("        </stage>")
        lines.append("    </layers>")
        lines.append("    <background_music>1</background_music>")
        lines.append("    <scroll_behaviour>%s</scroll_behaviour>" % self.curve.xml())
        lines.append("</mission>")
        folder = os.path.join(root, "missions", "arcade", "%010d" % self.number)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "structure.xml"), "w") as f:
            f.write("\n".join(lines) + "\n")


def tile_row(row):
    parts, k = [], 0
    while k < len(row):
        n = 1
        while k + n < len(row) and row[k + n] == row[k]:
            n += 1
        if n == 1:
            parts.append("<tile>%d</tile>" % row[k])
        else:
            parts.append('<tile_sequence repeat="%d">%d</tile_sequence>' % (n, row[k]))
        k += n
    return "".join(parts)


def tile_layer(grid):
    lines = ['        <layer type="tangible" scroll_factor="1">', '            <tile_grid repeat="1">']
    k = 0
    while k < len(grid):
        n = 1
        while k + n < len(grid) and grid[k + n] == grid[k]:
            n += 1
        lines.append('                <tile_row repeat="%d">%s</tile_row>' % (n, tile_row(grid[k])))
        k += n
    lines += ["            </tile_grid>", "        </layer>"]
    return "\n".join(lines)


def sparse_layer(sprites):
    lines = ['        <layer type="sparse" scroll_factor="1">']
    for column, row, resource, x, y in sorted(sprites, key=lambda s: (s[1], s[0])):
        lines.append('            <sprite x="%d" y="%d" resource="%s"><offset x="%.0f" y="%.0f"/></sprite>' %
                     (column, row, resource, x, y))
    lines.append("        </layer>")
    return "\n".join(lines)


def wavy(base, amplitude, period, phase=0.0):
    return lambda j: base + amplitude * math.sin(j / period + phase)


def settle(shape, start, end, target):
    """The shape until `start`, then eased into the constant `target` by `end`."""
    def settled(j):
        if j <= start:
            return shape(j)
        if j >= end:
            return target
        w = (j - start) / float(end - start)
        w = w * w * (3 - 2 * w)
        return shape(j) * (1 - w) + target * w
    return settled


def mission_0():
    """Grassland: a winding dirt road with clearings, farm fields, a second track."""
    curve = Curve([(0, 0.03), (5, 0.065), (90, 0.07), (150, 0.08), (178, 0.08), (186, 0.05)])
    level = Level(0, GRASS, 360, curve, "Arcade mission 0: the grassland patrol. Generated by tools/levels/arcade_levels.py.")
    road = settle(wavy(13, 6, 11), 300, 330, 13)
    level.middle.road(road, lambda j: 1.3, 0, 360)
    level.middle.road(wavy(5, 2.5, 7, 1.0), lambda j: 0.8, 60, 140)
    level.middle.road(wavy(21, 2.5, 9, 2.0), lambda j: 0.8, 150, 250)
    clearings = [(road(30), 30, 4), (6, 70, 3.5), (20, 95, 4), (road(130), 130, 4.5), (8, 175, 3.5), (19, 205, 4),
                 (road(240), 240, 5), (6, 270, 4), (20, 290, 4.5)]
    for column, row, radius in clearings:
        level.middle.disc(column, row, radius)
    # Ploughed fields: earth rectangles with grass strips between the furrows.
    for left, bottom, right, top in [(1, 40, 8, 54), (18, 110, 25, 124), (1, 190, 7, 205), (17, 255, 25, 270)]:
        level.middle.rectangle(left, bottom, right, top)
        for j in range(bottom + 2, top - 1, 3):
            level.top.rectangle(left + 1, j, right - 1, j)
    # Grass islands in the larger clearings.
    for column, row, radius in clearings:
        if radius >= 4.5:
            level.top.disc(column, row, 1.2)
    # From here on the road runs straight on for as long as the level scrolls.
    level.middle.clear_from(315)
    level.top.clear_from(315)
    level.middle.road(road, lambda j: 1.3, 300, 360)

    # Waves: a gentle start, then every kind in turn, thicker towards the end.
    level.at(4, 13, "airship000")
    level.at(11, 13, "airship000", upgrades=["wpn000"])
    level.sweep(17, "airship001", [4, 22], 1.5)
    level.turrets("turret000", [(int(road(52)) + 3, 52)])
    level.sweep(24, "airship002", [6, 13, 20], 0.8)
    level.at(31, 13, "airship000")
    level.turrets("turret000", [(6, 70)])
    level.at(38, 13, "airship005", upgrades=["shd001"])
    level.sweep(46, "airship001", [4, 10, 16, 22], 0.8)
    level.turrets("turret000", [(20, 95)])
    level.line(54, "airship000", [9, 17])
    level.file(60, "airship002", 3, 3, 0.7)
    level.file(63, "airship002", 22, 3, 0.7)
    level.turrets("turret001", [(int(road(130)), 130)])
    level.at(70, 7, "airship005")
    level.at(74, 19, "airship005")
    level.vee(78, "airship001", 13, 5, 4, 0.5)
    level.at(86, 13, "airship000", upgrades=["wpn000"])
    level.line(90, "airship000", [6, 20])
    level.turrets("turret000", [(8, 175)])
    level.sweep(94, "airship002", [2, 7, 12, 17, 22], 0.6)
    level.turrets("turret001", [(19, 205)])
    level.line(104, "airship005", [5, 21])
    level.sweep(110, "airship001", [22, 17, 12, 7, 2], 0.5)
    level.line(118, "airship000", [6, 20])
    level.turrets("turret000", [(int(road(240)) - 3, 239)])
    level.vee(126, "airship002", 13, 5, 3, 0.5)
    level.at(134, 13, "airship005", upgrades=["wpn001"])
    level.turrets("turret001", [(6, 270)])
    level.vee(140, "airship001", 13, 5, 5, 0.5)
    level.line(148, "airship000", [9, 17])
    level.turrets("turret000", [(19, 289)])
    level.sweep(155, "airship002", [3, 8, 13, 18, 23], 0.4)
    # The last wave must be beaten: three wardens behind a screen of gunboats.
    level.line(164, "airship000", [6, 20])
    level.line(170, "airship005", [6, 13, 20], kill_to_win=True)

    # Copses and single trees on the grass, bushes along the road, boulders
    # at the edges of the clearings.
    for row in range(12, 320, 22):
        column = level.random.choice([3, 5, 20, 22, 24])
        level.copse(column, row, level.random.randint(4, 9), "tree", GRASS)
    level.scatter("tree", GRASS, 40, 0, 330)
    level.scatter("bush", GRASS, 60, 0, 330)
    level.scatter("boulder", EARTH, 14, 0, 310)
    return level


def mission_1():
    """Dry earth: grassy banks along a dry river bed, oases; the disk boss."""
    curve = Curve([(0, 0.03), (5, 0.07), (80, 0.075), (150, 0.085), (170, 0.085), (178, 0.03), (185, 0.015)])
    level = Level(1, EARTH, 380, curve, "Arcade mission 1: the dry river and the disk boss. Generated by tools/levels/arcade_levels.py.")
    river = settle(wavy(12, 7, 14, 0.5), 280, 320, 13)
    banks = settle(lambda j: 4.2 + 1.2 * math.sin(j / 5.0), 280, 320, 4.5)
    bed = settle(lambda j: 1.6 + 0.6 * math.sin(j / 4.0), 280, 320, 1.5)
    # Green banks along the river bed, the bed itself earth again; towards the
    # end the river runs straight on for as long as the level scrolls.
    level.middle.road(river, banks, 0, 380)
    level.top.road(river, bed, 0, 380)
    oases = [(4, 60, 3.5), (22, 100, 4), (5, 150, 4.5), (21, 200, 3.5), (4, 250, 4)]
    for column, row, radius in oases:
        level.middle.disc(column, row, radius)
        level.top.disc(column, row, radius * 0.35)
    # Rocky outcrops for the batteries: earth pads on the banks.
    pads = [(int(river(45)) + 5, 45), (int(river(85)) - 5, 85), (int(river(170)) + 5, 170), (int(river(230)) - 5, 230)]
    for column, row in pads:
        level.top.disc(column, row, 1.5)

    level.vee(4, "airship001", 13, 5, 4, 0.5)
    level.line(11, "airship000", [6, 10, 16, 20])
    level.turrets("turret000", [(pads[0][0], pads[0][1]), (pads[0][0] + 1, pads[0][1] + 2)])
    level.sweep(18, "airship002", [1, 5, 9, 13, 17, 21, 25], 0.4)
    level.turrets("turret001", [(4, 60)])
    level.line(26, "airship005", [8, 18], upgrades=["wpn000"])
    level.sweep(34, "airship001", [24, 19, 14, 9, 4], 0.5)
    level.turrets("turret000", [(pads[1][0], pads[1][1]), (22, 100)])
    level.file(42, "airship000", 4, 3, 1.2)
    level.file(43, "airship000", 22, 3, 1.2)
    level.vee(52, "airship002", 13, 7, 3, 0.35)
    level.turrets("turret001", [(5, 150)])
    level.turrets("turret000", [(3, 148), (7, 152)])
    level.line(60, "airship005", [4, 13, 22], upgrades=["shd001"])
    level.line(66, "airship000", [3, 23])
    level.sweep(70, "airship001", [2, 7, 12, 17, 22], 0.45)
    level.line(80, "airship000", [5, 9, 13, 17, 21])
    level.turrets("turret000", [(pads[2][0], pads[2][1]), (pads[2][0] - 2, pads[2][1] + 1)])
    level.sweep(88, "airship002", [25, 21, 17, 13, 9, 5, 1], 0.3)
    level.vee(96, "airship001", 13, 7, 3, 0.4)
    level.turrets("turret001", [(21, 200)])
    level.line(104, "airship005", [7, 19], upgrades=["wpn001"])
    level.file(112, "airship002", 3, 5, 0.5)
    level.file(113, "airship002", 22, 5, 0.5)
    level.turrets("turret001", [(pads[3][0], pads[3][1])])
    level.turrets("turret000", [(3, 120), (23, 122)])
    level.line(122, "airship000", [4, 8, 13, 18, 22])
    level.vee(130, "airship001", 8, 5, 3, 0.4)
    level.vee(133, "airship001", 18, 5, 3, 0.4)
    level.turrets("turret000", [(4, 250), (6, 252)])
    level.line(137, "airship000", [6, 20])
    level.line(142, "airship005", [5, 13, 21])
    level.sweep(150, "airship002", [2, 6, 10, 14, 18, 22], 0.3)
    level.line(158, "airship000", [10, 16], upgrades=["wpn001"])
    # The disk boss comes in as the river runs out.
    level.at(170, 13, "airboss001", kill_to_win=True)

    # Trees at the oases and along the banks, boulders and dead bushes out on
    # the dry earth.
    for column, row, radius in oases:
        level.copse(column, row, 6, "tree", GRASS, 1.5)
    level.scatter("bush", GRASS, 60, 0, 370)
    level.scatter("tree", GRASS, 20, 0, 370)
    level.scatter("boulder", EARTH, 45, 0, 370)
    level.scatter("deadbush", EARTH, 50, 0, 370)
    for row in range(20, 280, 40):
        level.copse(level.random.choice([1, 2, 23, 24]), row, 5, "boulder", EARTH, 1.5)
    return level


def mission_2():
    """Farmland: fields and paddocks of earth, hedgerows, a village green; the tank boss."""
    curve = Curve([(0, 0.03), (5, 0.07), (90, 0.08), (160, 0.09), (172, 0.09), (180, 0.03), (186, 0.012)])
    level = Level(2, GRASS, 390, curve, "Arcade mission 2: the farmland and the tank boss. Generated by tools/levels/arcade_levels.py.")
    rnd = random.Random(302)
    # A patchwork of fields either side of a straight farm road.
    row = 8
    while row < 280:
        height = rnd.randint(9, 16)
        for left, right in [(0, rnd.randint(6, 10)), (rnd.randint(16, 20), 26)]:
            if rnd.random() < 0.75:
                level.middle.rectangle(left, row, right, row + height)
                # Crop rows: grass strips over the earth.
                if rnd.random() < 0.6:
                    for j in range(row + 2, row + height - 1, 3):
                        level.top.rectangle(left + 1, j, right - 1, j)
        row += height + rnd.randint(2, 4)
    level.middle.road(lambda j: 13, lambda j: 1.1, 0, 390)
    # Crossroads with a village green.
    for crossing in (70, 160, 240):
        level.middle.rectangle(0, crossing - 1, 26, crossing + 1)
        level.middle.disc(13, crossing, 4.5)
        level.top.disc(13, crossing, 2.0)
    # The boss's ground: the road opens into a wide earth apron that runs on
    # for as long as the level scrolls.
    level.middle.clear_from(300)
    level.top.clear_from(300)
    level.middle.road(lambda j: 13, settle(lambda j: 1.1, 300, 330, 7.5), 300, 390)

    level.line(4, "airship000", [8, 13, 18])
    level.sweep(10, "airship001", [3, 8, 13, 18, 23], 0.5)
    level.turrets("turret000", [(11, 69), (15, 71)])
    level.vee(18, "airship002", 13, 7, 3, 0.35)
    level.line(26, "airship005", [7, 19], upgrades=["wpn000"])
    level.line(30, "airship000", [3, 23])
    level.file(34, "airship001", 4, 4, 0.5)
    level.file(35, "airship001", 21, 4, 0.5)
    level.turrets("turret001", [(13, 100)])
    level.line(44, "airship000", [3, 8, 18, 23])
    level.sweep(50, "airship002", [1, 5, 9, 13, 17, 21, 25], 0.3)
    level.turrets("turret000", [(10, 130), (16, 132), (13, 136)])
    level.vee(58, "airship001", 13, 7, 3, 0.35)
    level.line(66, "airship005", [4, 13, 22], upgrades=["shd001"])
    level.turrets("turret001", [(11, 160), (15, 160)])
    level.line(71, "airship000", [9, 17])
    level.sweep(76, "airship002", [25, 21, 17, 13, 9, 5, 1], 0.3)
    level.line(84, "airship000", [5, 9, 13, 17, 21])
    level.vee(92, "airship001", 8, 5, 3, 0.35)
    level.vee(94, "airship001", 18, 5, 3, 0.35)
    level.turrets("turret000", [(12, 200), (14, 200), (13, 206)])
    level.line(102, "airship005", [6, 13, 20], upgrades=["wpn001"])
    level.file(110, "airship002", 2, 6, 0.4)
    level.file(111, "airship002", 23, 6, 0.4)
    level.turrets("turret001", [(11, 240), (15, 240)])
    level.line(120, "airship000", [4, 8, 13, 18, 22])
    level.sweep(128, "airship001", [2, 6, 10, 14, 18, 22], 0.35)
    level.line(133, "airship000", [3, 23])
    level.turrets("turret000", [(5, 180), (21, 182)])
    level.line(138, "airship005", [5, 13, 21])
    level.turrets("turret000", [(7, 265), (19, 265)])
    level.vee(146, "airship002", 13, 9, 3, 0.3)
    level.line(154, "airship000", [6, 20], upgrades=["wpn001"])
    level.sweep(160, "airship001", [23, 18, 13, 8, 3], 0.4)
    # The tank boss rolls out onto the square at the end of the road.
    level.at(172, 13, "groundboss000", kill_to_win=True)

    # Hedgerows of bushes along the field edges, trees round the village
    # greens and orchards on some of the grass.
    for row in range(0, 300):
        for column in (0, 11, 15, 25):
            if level.ground(column, row) == GRASS and (level.ground(column - 1, row) == EARTH or
                                                      level.ground(column + 1, row) == EARTH):
                if level.random.random() < 0.35:
                    level.place(column, row, "bush", GRASS, 3)
    for crossing in (70, 160, 240):
        for column in (7, 19):
            level.copse(column, crossing + 4, 4, "tree", GRASS, 1.5)
    for _ in range(8):
        left, bottom = level.random.randint(1, 20), level.random.randint(10, 290)
        for r in range(bottom, bottom + 8, 2):
            for c in range(left, left + 6, 2):
                level.place(c, r, "tree", GRASS, 2)
    level.scatter("boulder", EARTH, 10, 0, 300)
    return level


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    for make in (mission_0, mission_1, mission_2):
        level = make()
        level.write(root)
        print("mission %d: %d rows, %d enemies, last enemy at row %d" %
              (level.number, level.rows, len(level.enemies), max(e[1] for e in level.enemies)))


if __name__ == "__main__":
    main()
