#!/usr/bin/env python3
"""Draws the program's icon and bitmaps (res/pictures/) from simple shapes.

The pictures are the project's own: a writing pad with a pen (137), a
network card's circuit board (138), a pie chart (139) and the application
icon (128, a network card with a boot disk). Run it again after changing a
picture; the files it writes are committed.
"""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "pictures")


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]
        self.alpha = [[255] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour
            self.alpha[y][x] = 255

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour, thickness=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(thickness):
                for dy in range(thickness):
                    self.put(x + dx, y + dy, colour)

    def bmp(self):
        """A bottom-up 24-bit BMP."""
        row_size = (self.width * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for (r, g, b) in self.pixels[y]:
                row += bytes((b, g, r))
            row += b"\0" * (row_size - len(row))
            data += row
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + bytes(data)

    def ico(self):
        """A one-image ICO: 32-bit BGRA with its AND mask."""
        xor = bytearray()
        for y in range(self.height - 1, -1, -1):
            for x in range(self.width):
                r, g, b = self.pixels[y][x]
                xor += bytes((b, g, r, self.alpha[y][x]))
        mask_row = ((self.width + 31) // 32) * 4
        mask = bytearray()
        for y in range(self.height - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(self.width):
                if self.alpha[y][x] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        image = info + bytes(xor) + bytes(mask)
        directory = struct.pack("<HHH", 0, 1, 1)
        entry = struct.pack("<BBBBHHII", self.width, self.height, 0, 0, 1, 32, len(image), 6 + 16)
        return directory + entry + image


WHITE, BLACK, GREY = (255, 255, 255), (0, 0, 0), (128, 128, 128)
BACK = (212, 208, 200)  # the dialog face colour
GREEN, DARK_GREEN = (30, 140, 60), (10, 80, 30)
GOLD, BLUE, RED, YELLOW = (220, 180, 40), (40, 90, 200), (200, 40, 40), (240, 210, 60)


def writing_pad():
    c = Canvas(31, 25, BACK)
    c.rect(3, 3, 20, 23, WHITE)
    c.frame(3, 3, 20, 23, GREY)
    c.rect(3, 3, 20, 5, BLUE)
    for y in range(9, 22, 3):
        c.line(6, y, 17, y, GREY)
    c.line(27, 2, 15, 18, YELLOW, 2)  # the pen
    c.line(15, 18, 14, 20, BLACK)
    c.put(28, 1, RED)
    c.put(27, 1, RED)
    return c


def circuit_board():
    c = Canvas(32, 21, BACK)
    c.rect(1, 2, 27, 16, GREEN)
    c.frame(1, 2, 27, 16, DARK_GREEN)
    c.rect(28, 3, 30, 15, GREY)  # the bracket
    c.rect(6, 5, 13, 11, BLACK)  # the network chip
    c.rect(17, 6, 20, 9, BLACK)
    c.rect(23, 5, 26, 9, (180, 180, 180))  # the RJ45 socket
    for x in range(3, 26, 2):
        c.put(x, 18, GOLD)
        c.put(x, 17, GOLD)
    c.line(14, 8, 17, 8, GOLD)
    c.line(9, 12, 9, 15, GOLD)
    return c


def pie_chart():
    c = Canvas(70, 54, BACK)
    cx, cy, radius = 34, 26, 22
    slices = [(0.0, 0.45, BLUE), (0.45, 0.70, RED), (0.70, 0.88, YELLOW), (0.88, 1.0, GREEN)]
    for y in range(c.height):
        for x in range(c.width):
            dx, dy = x - cx, y - cy
            distance = math.hypot(dx, dy)
            if distance <= radius:
                share = (math.atan2(dy, dx) / (2 * math.pi)) % 1.0
                colour = next(col for (a, b, col) in slices if a <= share < b)
                c.put(x, y, BLACK if distance > radius - 1 else colour)
    return c


def app_icon():
    c = Canvas(32, 32, BACK)
    for y in range(32):
        for x in range(32):
            c.alpha[y][x] = 0
    c.rect(2, 14, 25, 27, GREEN)
    c.frame(2, 14, 25, 27, DARK_GREEN)
    c.rect(26, 15, 28, 26, GREY)
    c.rect(6, 17, 12, 22, BLACK)
    for x in range(4, 24, 2):
        c.put(x, 29, GOLD)
        c.put(x, 28, GOLD)
    c.rect(14, 2, 29, 13, BLUE)  # a boot disk above the card
    c.rect(17, 2, 26, 6, (200, 200, 200))
    c.rect(16, 9, 27, 13, WHITE)
    c.frame(14, 2, 29, 13, BLACK)
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, canvas in (("writing_pad.bmp", writing_pad()), ("circuit_board.bmp", circuit_board()),
                         ("pie_chart.bmp", pie_chart())):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(canvas.bmp())
    with open(os.path.join(OUT, "tovrell.ico"), "wb") as f:
        f.write(app_icon().ico())


if __name__ == "__main__":
    main()
