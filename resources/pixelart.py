"""The drawing canvas and the glyphs of the drive, folder and file lists as
pixel maps; generate.py writes them out."""
import math


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def shape(self, inside, c, x0=0, y0=0, x1=None, y1=None):
        """Colours every pixel whose centre lies inside the shape."""
        x1 = self.w if x1 is None else x1
        y1 = self.h if y1 is None else y1
        for y in range(y0, y1):
            for x in range(x0, x1):
                if inside(x + 0.5, y + 0.5):
                    self.set(x, y, c)

    def rounded_rect(self, l, t, r, b, rad, c, ox=0):
        def inside(x, y):
            if not (l <= x <= r and t <= y <= b):
                return False
            cx = min(max(x, l + rad), r - rad)
            cy = min(max(y, t + rad), b - rad)
            return (x - cx) ** 2 + (y - cy) ** 2 <= rad * rad
        self.shape(lambda x, y: inside(x - ox, y), c)

    def polyline(self, pts, width, c, ox=0):
        half = width / 2

        def inside(x, y):
            x -= ox
            for (ax, ay), (bx, by) in zip(pts, pts[1:]):
                dx, dy = bx - ax, by - ay
                t = max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
                if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half * half:
                    return True
            return False
        self.shape(inside, c)

    def arc(self, cx, cy, r, a0, a1, width, c, ox=0):
        steps = max(8, int(abs(a1 - a0) / 6))
        pts = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
                cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]
        self.polyline(pts, width, c, ox)

    def disc(self, cx, cy, r, c, ox=0):
        self.shape(lambda x, y: (x - ox - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def rect(self, l, t, r, b, c, ox=0):
        self.shape(lambda x, y: l <= x - ox <= r and t <= y <= b, c)


# The glyphs' transparent colour: their bottom-left pixel, olive, used nowhere else.
CLEAR = (128, 128, 0)
BLACK, NAVY, GREEN, TEAL = (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128)
SILVER, GREY, YELLOW, LIME = (192, 192, 192), (128, 128, 128), (255, 255, 0), (0, 255, 0)
BLUE, RED, WHITE16 = (0, 0, 255), (255, 0, 0), (255, 255, 255)


# The glyphs as pixel maps in the 16 standard colours, in the style of the
# classic desktop's file manager. "." is the transparent colour.
PIXEL = {".": CLEAR, "k": BLACK, "n": NAVY, "G": GREEN, "t": TEAL, "s": SILVER, "g": GREY,
         "y": YELLOW, "l": LIME, "b": BLUE, "r": RED, "w": WHITE16, "c": (0, 255, 255)}


def from_rows(rows):
    cv = Canvas(len(rows[0]), len(rows), CLEAR)
    for y, row in enumerate(rows):
        assert len(row) == cv.w, row
        for x, ch in enumerate(row):
            cv.set(x, y, PIXEL[ch])
    return cv


def glyph_floppy():  # a 3.5-inch disk: shutter with its window, label below
    return from_rows([
        "...kkkkkkkkkk...",
        "...knssssssnk...",
        "...knsskssnnk...",
        "...knsskssnnk...",
        "...knnnnnnnnk...",
        "...knwwwwwwnk...",
        "...knwkkkkwnk...",
        "...knwwwwwwnk...",
        "...knwkkkwwnk...",
        "...kkkkkkkkkk...",
        "................"])


def glyph_hard():  # a fixed disk's case, its lamp lit
    return from_rows([
        "................",
        "................",
        "................",
        ".kkkkkkkkkkkkkk.",
        "kwwwwwwwwwwwwwsk",
        "kwssssssssssssgk",
        "kwsggggggsslsggk",
        "kwssssssssssssgk",
        "kggggggggggggggk",
        ".kkkkkkkkkkkkkk.",
        "................"])


def glyph_network():  # the same case on a network cable
    return from_rows([
        ".kkkkkkkkkkkkkk.",
        "kwwwwwwwwwwwwwsk",
        "kwsggggggsslsggk",
        "kwssssssssssssgk",
        "kggggggggggggggk",
        ".kkkkkkkkkkkkkk.",
        ".......kk.......",
        ".......GG.......",
        "kkkkkkkGGkkkkkkk",
        "GGGGGGGGGGGGGGGG",
        "................"])


def glyph_cdrom():  # a compact disc, its light catching the surface
    return from_rows([
        ".....kkkkkk.....",
        "...kkwwwwwwkk...",
        "..kwwwcwwwwwsk..",
        ".kwwwcwwwwwwssk.",
        ".kwwwwwkkwwwwsk.",
        ".kswwwkgskwwwsk.",
        ".kswwwwkkwwwssk.",
        ".ksswwwwwwwsssk.",
        "..kssswwwsssgk..",
        "...kkssssssk....",
        ".....kkkkkk....."])


def glyph_ram():  # a memory module: chips on a board, gold contacts
    return from_rows([
        "................",
        "................",
        "GGGGGGGGGGGGGGGG",
        "GkkkGkkkGkkkGkkG",
        "GkkkGkkkGkkkGkkG",
        "GGGGGGGGGGGGGGGG",
        "GGGGGGGGGGGGGGGG",
        "yGyGyGyGyGyGyGyG",
        "y.y.y.y.y.y.y.y.",
        "................",
        "................"])


def glyph_closed_folder():
    return from_rows([
        "................",
        "................",
        ".kkkkk..........",
        "kwyyyyk.........",
        "kyyyyyykkkkkkk..",
        "kwwwwwwwwwwwwyk.",
        "kwyyyyyyyyyyyyk.",
        "kwyyyyyyyyyyyyk.",
        "kwyyyyyyyyyyyyk.",
        "kwyyyyyyyyyyyyk.",
        "kwyyyyyyyyyyyyk.",
        "kwyyyyyyyyyyyyk.",
        "kyyyyyyyyyyyyyk.",
        "kkkkkkkkkkkkkkk.",
        "................"])


def glyph_open_folder():  # the front flap folded down
    return from_rows([
        "................",
        "................",
        ".kkkkk..........",
        "kwyyyyk.........",
        "kyyyyyykkkkkkk..",
        "kyyyyyyyyyyyyk..",
        "kyyykkkkkkkkkkkk",
        "kyykwwwwwwwwwwwk",
        "kykwyyyyyyyyyyk.",
        "kykwyyyyyyyyyyk.",
        "kkwyyyyyyyyyyk..",
        "kkwyyyyyyyyyyk..",
        "kwyyyyyyyyyyk...",
        "kkkkkkkkkkkkk...",
        "................"])


def glyph_current_folder():  # open, with the sheets it holds showing
    return from_rows([
        "................",
        "......kkkkkk....",
        ".kkkkkkwwwwkk...",
        "kwyyyykwkkwwk...",
        "kyyyyyykwwwwkkk.",
        "kyyyyyykwkkwwk..",
        "kyyykkkkkkkkkkkk",
        "kyykwwwwwwwwwwwk",
        "kykwyyyyyyyyyyk.",
        "kykwyyyyyyyyyyk.",
        "kkwyyyyyyyyyyk..",
        "kkwyyyyyyyyyyk..",
        "kwyyyyyyyyyyk...",
        "kkkkkkkkkkkkk...",
        "................"])


def glyph_executable():  # a program's window: title bar and its buttons
    return from_rows([
        "................",
        "kkkkkkkkkkkkkkkk",
        "knnnnnnnnnnnsksk",
        "kkkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwwsk",
        "kwssssssssssswsk",
        "kwwwwwwwwwwwwwsk",
        "kwwwwwwwwwwwwwsk",
        "kwwwwwwwwwwwwwsk",
        "kwwwwwwwwwwwwwsk",
        "kwwwwwwwwwwwwwsk",
        "kwwwwwwwwwwwwwsk",
        "ksssssssssssssgk",
        "kkkkkkkkkkkkkkkk",
        "................"])


def glyph_unknown_file():  # a sheet with a folded corner and lines of text
    return from_rows([
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwwwwwkwk...",
        "..kwwwwwwwkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwgggggggwwk..",
        "..kwwwwwwwwwwk..",
        "..kwgggggggwwk..",
        "..kwwwwwwwwwwk..",
        "..kwgggggggwwk..",
        "..kwwwwwwwwwwk..",
        "..kwgggggwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................"])


GLYPHS = {
    "floppy": glyph_floppy, "hard": glyph_hard, "network": glyph_network, "cdrom": glyph_cdrom,
    "ram": glyph_ram, "openfolder": glyph_open_folder,
    "closedfolder": glyph_closed_folder, "currentfolder": glyph_current_folder,
    "executable": glyph_executable, "unknownfile": glyph_unknown_file,
}
