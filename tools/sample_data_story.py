#!/usr/bin/python3
"""Writes the story half of the sample data: the story screens' pictures under
Data/ADV (backgrounds, standing pictures with three expressions, the text window,
cursors, choice window, buttons, sprites and timer images), the story files
Data/ADV/*.ini with Data/ADV/Common.ini, and the voices under Data/Voice.

    tools/sample_data_story.py [folder]     (default: data/Data beside this script)

make_sample_data.py calls write_story_data(folder) at the end of its run.
Pictures are drawn with Pillow (python3-pil) and the IPA Gothic font; voices are
spoken by espeak-ng, levelled by sox and encoded by oggenc with a fixed serial
number. Nothing is
random, so the same tools write the same files.
"""

import math
import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
SCALE = 2  # pictures are drawn at twice their size and reduced, for smooth edges

# Stages: (story files of the rounds, reward file); each file starts at the label
# of its own name.
STORIES = {
    (0, 0): (["c0e0r0", "c0e0r1", "c0e0r2"], "c0e0g"),
    (0, 1): (["c0e1r0", "c0e1r1"], "c0e1g"),
    (1, 0): (["c1e0r0", "c1e0r1"], "c1e0g"),
    (1, 1): (["c1e1r0", "c1e1r1"], "c1e1g"),
}

# The story screen's four text buttons (captions of 20 pixels) stand at the top right
# of the text window, beside the talker's name, and while "本当にタイトルに戻りますか？"
# is open its two answers (40 pixels) stand in the window's bottom band, below the
# message's three lines: both on the window's own opaque dark panel (WINDOW), where
# their grey captions read whatever the background is.
ADV_COMMON_INI = """; The story screen's buttons and their sounds. The four buttons and the question's
; two answers lie on the text window's dark panel (Data/ADV/window.png): the buttons
; at its top right, the answers in its bottom band, below the message.
[ButtonAuto]
ClickRect_Left=315
ClickRect_Top={button_top}
ClickRect_Right=375
ClickRect_Bottom={button_bottom}

[ButtonSkip]
ClickRect_Left=393
ClickRect_Top={button_top}
ClickRect_Right=473
ClickRect_Bottom={button_bottom}

[ButtonCallOption]
ClickRect_Left=491
ClickRect_Top={button_top}
ClickRect_Right=591
ClickRect_Bottom={button_bottom}

[ButtonReturnTitle]
ClickRect_Left=609
ClickRect_Top={button_top}
ClickRect_Right=749
ClickRect_Bottom={button_bottom}

[ButtonReturnTitleYes]
ClickRect_Left=260
ClickRect_Top={answer_top}
ClickRect_Right=340
ClickRect_Bottom={answer_bottom}

[ButtonReturnTitleNo]
ClickRect_Left=440
ClickRect_Top={answer_top}
ClickRect_Right=560
ClickRect_Bottom={answer_bottom}

[SE]
SEOnCursor="Data/Sound/cursor.wav"
SEONClicked="Data/Sound/click.wav"
"""


def story_ini(section, label):
    # The window starts hidden: the section shows it once its picture stands.
    return ("; The text window and the script label of one story section.\n"
            "[{}]\nSetTextWindowShow=-1\nSetTextWindow=1\n"
            "SetTextWindowFileName=\"Data/ADV/window.png\"\n"
            "SetTextWindowX={}\nSetTextWindowY={}\nSetTextWindowA=255\n"
            "SetTextWindowSrcRect_Left=0\nSetTextWindowSrcRect_Top=0\n"
            "SetTextWindowSrcRect_Right={}\nSetTextWindowSrcRect_Bottom={}\n"
            "StartLabel=\"@{}\"\n").format(section, *WINDOW, label)


# ---------------------------------------------------------------- drawing helpers

def canvas(width, height, colour=(0, 0, 0, 0)):
    image = Image.new("RGBA", (width * SCALE, height * SCALE), colour)
    return image, ImageDraw.Draw(image)


def finish(image):
    width, height = image.size
    return image.resize((width // SCALE, height // SCALE), Image.LANCZOS)


def s(*values):
    """Scales design coordinates to the drawing canvas."""
    return [v * SCALE for v in values]


def font(size):
    return ImageFont.truetype(FONT, size * SCALE)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vertical_gradient(draw, box, top, bottom):
    left, upper, right, lower = box
    for y in range(upper, lower):
        t = (y - upper) / max(1, lower - upper - 1)
        draw.line([(left, y), (right - 1, y)], fill=mix(top, bottom, t))


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def lighter(colour, t):
    return mix(colour, (255, 255, 255), t)


def darker(colour, t):
    return mix(colour, (0, 0, 0), t)


def save(image, folder, name):
    path = os.path.join(folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, optimize=True)


# ---------------------------------------------------------------- backgrounds

def hills(draw, width, base, colour, amplitude, period, phase):
    points = [(0, base * SCALE)]
    for x in range(0, width * SCALE + 1, 8):
        y = base + amplitude * math.sin(x / SCALE / period + phase)
        points.append((x, y * SCALE))
    points += [(width * SCALE, 600 * SCALE), (0, 600 * SCALE)]
    draw.polygon(points, fill=colour)


def background_field():
    image, draw = canvas(800, 600)
    vertical_gradient(draw, (0, 0, 1600, 1200), (120, 180, 240), (220, 236, 250))
    draw.ellipse(s(600, 60, 690, 150), fill=(255, 246, 210))
    for cx, cy, r in ((150, 110, 40), (200, 100, 55), (250, 115, 38), (480, 170, 30), (520, 160, 42)):
        draw.ellipse(s(cx - r, cy - r * 0.6, cx + r, cy + r * 0.6), fill=(255, 255, 255))
    hills(draw, 800, 360, (120, 176, 110), 22, 90, 0.5)
    hills(draw, 800, 410, (84, 150, 80), 18, 60, 2.0)
    hills(draw, 800, 470, (60, 126, 62), 12, 40, 1.0)
    for i in range(40):
        x = (i * 97) % 800
        y = 480 + (i * 53) % 110
        draw.ellipse(s(x, y, x + 6, y + 6), fill=(250, 230, 120) if i % 3 else (250, 250, 250))
    return finish(image)


def background_town():
    image, draw = canvas(800, 600)
    vertical_gradient(draw, (0, 0, 1600, 1200), (250, 200, 150), (250, 236, 210))
    colours = [(200, 140, 110), (170, 120, 100), (220, 190, 150), (150, 110, 90), (190, 160, 130)]
    x = -20
    i = 0
    while x < 800:
        w = 110 + (i * 37) % 60
        h = 180 + (i * 71) % 120
        top = 470 - h
        colour = colours[i % len(colours)]
        draw.rectangle(s(x, top, x + w, 470), fill=colour, outline=darker(colour, 0.3), width=SCALE * 2)
        draw.polygon(s(x - 10, top, x + w / 2, top - 60, x + w + 10, top), fill=(150, 60, 50))
        for wy in range(top + 25, 440, 50):
            for wx in range(x + 18, x + w - 25, 34):
                draw.rounded_rectangle(s(wx, wy, wx + 18, wy + 26), radius=4 * SCALE, fill=(255, 230, 150),
                                       outline=darker(colour, 0.4), width=SCALE)
        x += w + 8
        i += 1
    draw.rectangle(s(0, 470, 800, 600), fill=(170, 160, 150))
    for row in range(470, 600, 20):
        for col in range((row // 20 % 2) * 20, 800, 40):
            draw.rectangle(s(col, row, col + 38, row + 18), outline=(140, 130, 120), width=SCALE)
    return finish(image)


def background_castle():
    image, draw = canvas(800, 600)
    vertical_gradient(draw, (0, 0, 1600, 1200), (90, 110, 160), (180, 190, 210))
    stone = (150, 150, 165)
    draw.rectangle(s(120, 180, 680, 520), fill=stone, outline=(90, 90, 110), width=3 * SCALE)
    for tx in (80, 600):
        draw.rectangle(s(tx, 110, tx + 120, 520), fill=lighter(stone, 0.1), outline=(90, 90, 110), width=3 * SCALE)
        draw.polygon(s(tx - 10, 110, tx + 60, 20, tx + 130, 110), fill=(70, 80, 140))
        for bx in range(tx, tx + 120, 30):
            draw.rectangle(s(bx, 95, bx + 18, 112), fill=lighter(stone, 0.1))
    for bx in range(200, 600, 40):
        draw.rectangle(s(bx, 160, bx + 24, 182), fill=stone)
    draw.rounded_rectangle(s(330, 330, 470, 520), radius=70 * SCALE, fill=(70, 50, 40))
    draw.rectangle(s(330, 400, 470, 520), fill=(70, 50, 40))
    for wx in (200, 540):
        draw.rounded_rectangle(s(wx, 240, wx + 50, 320), radius=24 * SCALE, fill=(255, 220, 120))
    for row in range(200, 520, 28):
        draw.line(s(120, row, 680, row), fill=(130, 130, 145), width=SCALE)
    draw.rectangle(s(0, 520, 800, 600), fill=(90, 120, 80))
    draw.polygon(s(300, 600, 330, 520, 470, 520, 500, 600), fill=(160, 150, 130))
    return finish(image)


def background_night():
    image, draw = canvas(800, 600)
    vertical_gradient(draw, (0, 0, 1600, 1200), (10, 14, 40), (50, 50, 100))
    for i in range(90):
        x = (i * 131) % 800
        y = (i * 67) % 380
        r = 1 + i % 3
        draw.ellipse(s(x - r, y - r, x + r, y + r), fill=(255, 255, 230))
    draw.ellipse(s(560, 60, 660, 160), fill=(250, 245, 210))
    draw.ellipse(s(585, 50, 685, 150), fill=(14, 18, 48))
    hills(draw, 800, 420, (30, 40, 70), 30, 100, 1.2)
    hills(draw, 800, 480, (20, 28, 50), 16, 50, 0.2)
    for tx in (90, 180, 690):
        draw.polygon(s(tx, 330, tx - 40, 480, tx + 40, 480), fill=(15, 30, 35))
    return finish(image)


def background_cave():
    image, draw = canvas(800, 600)
    vertical_gradient(draw, (0, 0, 1600, 1200), (40, 30, 30), (90, 70, 60))
    draw.ellipse(s(150, 120, 650, 600), fill=(20, 14, 16))
    for i in range(14):
        x = i * 60 + 10
        draw.polygon(s(x, 0, x + 30, 80 + (i * 37) % 90, x + 60, 0), fill=(70, 55, 50))
        draw.polygon(s(x + 10, 600, x + 35, 520 - (i * 23) % 60, x + 60, 600), fill=(60, 48, 44))
    for cx, cy, colour in ((180, 400, (80, 220, 230)), (620, 380, (160, 120, 240)), (400, 520, (90, 230, 170))):
        draw.polygon(s(cx, cy - 50, cx + 18, cy, cx, cy + 20, cx - 18, cy), fill=colour, outline=lighter(colour, 0.5),
                     width=SCALE * 2)
    glow = Image.new("RGBA", image.size, (0, 0, 0, 0))
    glow_draw = ImageDraw.Draw(glow)
    for cx, cy in ((180, 390), (620, 370), (400, 510)):
        glow_draw.ellipse(s(cx - 60, cy - 60, cx + 60, cy + 60), fill=(150, 230, 255, 70))
    glow = glow.filter(ImageFilter.GaussianBlur(20 * SCALE))
    image = Image.alpha_composite(image, glow)
    return finish(image)


def background_tower():
    image, draw = canvas(800, 600)
    vertical_gradient(draw, (0, 0, 1600, 1200), (70, 30, 90), (200, 120, 160))
    draw.rectangle(s(320, 80, 480, 600), fill=(80, 60, 100), outline=(40, 30, 60), width=3 * SCALE)
    draw.polygon(s(300, 80, 400, -20, 500, 80), fill=(120, 60, 150))
    for wy in range(140, 560, 90):
        draw.rounded_rectangle(s(380, wy, 420, wy + 50), radius=20 * SCALE, fill=(255, 200, 250))
    for i in range(7):
        angle = i * math.pi * 2 / 7
        cx = 400 + 300 * math.cos(angle)
        cy = 300 + 200 * math.sin(angle)
        draw.regular_polygon((cx * SCALE, cy * SCALE, 14 * SCALE), 5, fill=(250, 220, 255), rotation=i * 12)
    draw.arc(s(100, 100, 700, 500), 0, 360, fill=(240, 200, 255), width=2 * SCALE)
    draw.rectangle(s(0, 540, 800, 600), fill=(50, 30, 60))
    return finish(image)


BACKGROUNDS = {
    "bg_field": background_field, "bg_town": background_town, "bg_castle": background_castle,
    "bg_night": background_night, "bg_cave": background_cave, "bg_tower": background_tower,
}

# ---------------------------------------------------------------- standing pictures

CHARACTERS = {
    # hair, clothes, trim, eyes, skin
    "aoria": dict(hair=hex_colour("#3060C0"), cloth=(245, 245, 255), cloth2=(70, 110, 210), trim=(220, 180, 60),
                  eyes=(40, 80, 170), skin=(255, 228, 210), long_hair=True),
    "kestrin": dict(hair=hex_colour("#C04030"), cloth=hex_colour("#704020"), cloth2=(150, 100, 60),
                    trim=(230, 210, 160), eyes=(50, 150, 70), skin=(250, 220, 195), long_hair=False),
    "gard": dict(hair=(60, 80, 50), cloth=hex_colour("#40A050"), cloth2=(30, 110, 50), trim=(200, 200, 200),
                 eyes=(250, 220, 40), skin=(160, 150, 120), long_hair=False, beast=True),
    "mistia": dict(hair=(210, 210, 225), cloth=hex_colour("#8040B0"), cloth2=(60, 30, 100), trim=(230, 220, 250),
                   eyes=(150, 60, 200), skin=(250, 232, 230), long_hair=True, hat=True),
}


def face(draw, c, expression, cx, cy):
    """Eyes, brows and mouth of one expression around the head centre."""
    eye_y = cy + 6
    for side in (-1, 1):
        ex = cx + side * 26
        if expression == "smile":
            draw.arc(s(ex - 13, eye_y - 8, ex + 13, eye_y + 12), 200, 340, fill=(40, 30, 30), width=3 * SCALE)
        else:
            draw.ellipse(s(ex - 11, eye_y - 14, ex + 11, eye_y + 12), fill=(255, 255, 255), outline=(40, 30, 30),
                         width=2 * SCALE)
            draw.ellipse(s(ex - 8, eye_y - 10, ex + 8, eye_y + 10), fill=c["eyes"])
            draw.ellipse(s(ex - 4, eye_y - 5, ex + 4, eye_y + 5), fill=(20, 20, 30))
            draw.ellipse(s(ex - 6, eye_y - 9, ex - 1, eye_y - 4), fill=(255, 255, 255))
        if expression == "angry":
            draw.line(s(ex - 13, eye_y - 17 + side * 4, ex + 13, eye_y - 17 - side * 4), fill=darker(c["hair"], 0.4),
                      width=4 * SCALE)
        else:
            draw.arc(s(ex - 13, eye_y - 26, ex + 13, eye_y - 12), 200, 340, fill=darker(c["hair"], 0.4),
                     width=3 * SCALE)
    mouth_y = cy + 42
    if expression == "smile":
        draw.chord(s(cx - 14, mouth_y - 10, cx + 14, mouth_y + 12), 0, 180, fill=(200, 70, 80))
    elif expression == "angry":
        draw.line(s(cx - 12, mouth_y + 4, cx, mouth_y - 2, cx + 12, mouth_y + 4), fill=(120, 40, 40), width=3 * SCALE)
    else:
        draw.line(s(cx - 9, mouth_y, cx + 9, mouth_y), fill=(150, 70, 70), width=3 * SCALE)
    if expression == "smile":
        for side in (-1, 1):
            draw.ellipse(s(cx + side * 40 - 9, cy + 26, cx + side * 40 + 9, cy + 34), fill=(255, 170, 170))


def standing_picture(who, expression):
    c = CHARACTERS[who]
    image, draw = canvas(300, 500)
    cx, cy = 150, 130
    outline = (40, 30, 40)
    if c.get("long_hair"):
        draw.rounded_rectangle(s(cx - 78, cy - 40, cx + 78, cy + 150), radius=50 * SCALE, fill=darker(c["hair"], 0.1))
    # body: dress or coat or armour
    body = [(cx - 60, 215), (cx + 60, 215), (cx + 110, 500), (cx - 110, 500)]
    draw.polygon(s(*[v for p in body for v in p]), fill=c["cloth"], outline=outline)
    draw.polygon(s(cx - 30, 215, cx + 30, 215, cx + 46, 500, cx - 46, 500), fill=c["cloth2"])
    draw.line(s(cx - 110, 495, cx + 110, 495), fill=c["trim"], width=6 * SCALE)
    draw.line(s(cx - 60, 218, cx + 60, 218), fill=c["trim"], width=5 * SCALE)
    if c.get("beast"):
        for side in (-1, 1):
            draw.ellipse(s(cx + side * 70 - 40, 200, cx + side * 70 + 40, 260), fill=c["cloth2"], outline=c["trim"],
                         width=3 * SCALE)
        draw.regular_polygon((cx * SCALE, 300 * SCALE, 26 * SCALE), 6, fill=c["trim"])
    else:
        draw.regular_polygon((cx * SCALE, 245 * SCALE, 12 * SCALE), 4, fill=c["trim"])
    # neck and head
    draw.rectangle(s(cx - 16, cy + 50, cx + 16, cy + 90), fill=darker(c["skin"], 0.08))
    draw.ellipse(s(cx - 62, cy - 60, cx + 62, cy + 72), fill=c["skin"], outline=outline, width=2 * SCALE)
    if c.get("beast"):
        for side in (-1, 1):
            draw.polygon(s(cx + side * 30, cy - 50, cx + side * 62, cy - 100, cx + side * 60, cy - 30),
                         fill=c["cloth"], outline=outline)
        draw.rectangle(s(cx - 64, cy - 64, cx + 64, cy - 20), fill=c["cloth"], outline=outline)
        draw.line(s(cx - 64, cy - 22, cx + 64, cy - 22), fill=c["trim"], width=4 * SCALE)
    else:
        draw.chord(s(cx - 66, cy - 70, cx + 66, cy + 40), 180, 360, fill=c["hair"])
        for i in range(5):
            x = cx - 55 + i * 26
            draw.polygon(s(x, cy - 30, x + 26, cy - 30, x + 13, cy - 20 + (i % 2) * 6), fill=c["hair"])
    if c.get("hat"):
        draw.polygon(s(cx - 100, cy - 40, cx + 100, cy - 40, cx + 20, cy - 160), fill=c["cloth"], outline=outline)
        draw.line(s(cx - 90, cy - 44, cx + 90, cy - 44), fill=c["trim"], width=6 * SCALE)
    if who == "aoria":
        draw.regular_polygon(((cx + 40) * SCALE, (cy - 42) * SCALE, 12 * SCALE), 5, fill=c["trim"])
    face(draw, c, expression, cx, cy)
    return finish(image)


# ---------------------------------------------------------------- story screen parts

# The text window: x, y, width and height on the screen, down to its bottom edge. One
# opaque dark panel with no plate of its own: the talker's name, the message, the four
# text buttons and the question's answers are drawn straight onto it, so a line without
# a name shows no empty plate and neither does the backlog, which draws the window
# without the buttons. Grey captions (0x808080) read at better than 4.5:1 on the panel,
# and still do under the question's half-black veil.
WINDOW = (25, 413, 750, 187)
WINDOW_BUTTON_TOP = WINDOW[1] + 12
WINDOW_ANSWER_TOP = WINDOW[1] + WINDOW[3] - 54
WINDOW_FILL = (10, 16, 44, 255)


def text_window():
    width, height = WINDOW[2:]
    image, draw = canvas(width, height)
    draw.rounded_rectangle(s(2, 2, width - 2, height - 2), radius=16 * SCALE, fill=WINDOW_FILL,
                           outline=(220, 190, 90, 255), width=3 * SCALE)
    draw.rounded_rectangle(s(8, 8, width - 8, height - 8), radius=12 * SCALE, outline=(120, 150, 230, 190),
                           width=SCALE)
    for x in (18, width - 20):
        draw.regular_polygon((x * SCALE, (height - 20) * SCALE, 5 * SCALE), 4, fill=(220, 190, 90, 255))
    return finish(image)


def cursors():
    """Three 24x24 cursors side by side: click wait, next page, backlog."""
    image, draw = canvas(72, 24)
    gold = (250, 220, 110, 255)
    draw.polygon(s(4, 6, 20, 6, 12, 20), fill=gold, outline=(120, 90, 20, 255))
    draw.regular_polygon((36 * SCALE, 12 * SCALE, 9 * SCALE), 4, fill=(140, 200, 255, 255), outline=(30, 60, 120, 255))
    draw.ellipse(s(52, 4, 68, 20), outline=(220, 220, 220, 255), width=2 * SCALE)
    draw.line(s(60, 7, 60, 12, 64, 14), fill=(220, 220, 220, 255), width=2 * SCALE)
    return finish(image)


def state_plate(draw, box, state, caption, size):
    """A rounded plate in the look of one button state: 0 normal, 1 cursor, 2 held, 3 disabled."""
    fills = [((40, 60, 130, 235), (20, 30, 80, 235)), ((90, 120, 220, 245), (40, 60, 150, 245)),
             ((200, 160, 60, 250), (140, 100, 30, 250)), ((90, 90, 100, 200), (60, 60, 70, 200))]
    borders = [(220, 190, 90, 255), (255, 240, 170, 255), (255, 255, 255, 255), (140, 140, 140, 255)]
    left, top, right, bottom = box
    top_colour, bottom_colour = fills[state]
    plate = Image.new("RGBA", draw.im.size, (0, 0, 0, 0))
    plate_draw = ImageDraw.Draw(plate)
    vertical_gradient(plate_draw, (left * SCALE, top * SCALE, right * SCALE, bottom * SCALE), top_colour, bottom_colour)
    mask = Image.new("L", draw.im.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(s(left, top, right - 1, bottom - 1), radius=8 * SCALE, fill=255)
    return plate, mask, borders[state]


def plates(width, height, captions, size):
    """Rows of captioned plates, one row per caption, four states per row."""
    image = Image.new("RGBA", (width * 4 * SCALE, height * len(captions) * SCALE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    text_font = font(size)
    for row, caption in enumerate(captions):
        for state in range(4):
            box = (state * width + 1, row * height + 1, (state + 1) * width - 1, (row + 1) * height - 1)
            plate, mask, border = state_plate(draw, box, state, caption, size)
            image.paste(plate, (0, 0), mask)
            draw.rounded_rectangle(s(*box), radius=8 * SCALE, outline=border, width=2 * SCALE)
            colour = (255, 255, 255, 255) if state != 3 else (170, 170, 170, 255)
            draw.text(((box[0] + box[2]) / 2 * SCALE, (box[1] + box[3]) / 2 * SCALE), caption, font=text_font,
                      fill=colour, anchor="mm")
    return finish(image)


def choice_window():
    """The three looks of one choice (normal, cursor, held) stacked: 520x44 each."""
    image = Image.new("RGBA", (520 * SCALE, 132 * SCALE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for state in range(3):
        box = (2, state * 44 + 2, 518, state * 44 + 42)
        plate, mask, border = state_plate(draw, box, state, "", 0)
        image.paste(plate, (0, 0), mask)
        draw.rounded_rectangle(s(*box), radius=8 * SCALE, outline=border, width=2 * SCALE)
        for x in (18, 502):
            draw.regular_polygon((x * SCALE, (state * 44 + 22) * SCALE, 6 * SCALE), 4, fill=border)
    return finish(image)


def timer_parts():
    """Row 0: the frame of the time bar (420x26); row 1: the bar itself (400x14);
    row 2: four frames of an hourglass, 32x32 each."""
    image, draw = canvas(420, 72)
    draw.rounded_rectangle(s(1, 1, 419, 25), radius=12 * SCALE, fill=(10, 10, 30, 220), outline=(220, 190, 90, 255),
                           width=2 * SCALE)
    bar = Image.new("RGBA", image.size, (0, 0, 0, 0))
    bar_draw = ImageDraw.Draw(bar)
    for x in range(0, 400 * SCALE):
        t = x / (400 * SCALE)
        bar_draw.line([(x, 27 * SCALE), (x, 41 * SCALE - 1)], fill=mix((240, 80, 60), (90, 220, 120), t) + (255,))
    image = Image.alpha_composite(image, bar)
    draw = ImageDraw.Draw(image)
    for k in range(4):
        x = k * 32
        draw.polygon(s(x + 6, 42, x + 26, 42, x + 16, 57, x + 26, 72, x + 6, 72, x + 16, 57), outline=(240, 230, 200, 255),
                     fill=(60, 60, 90, 200))
        sand = 3 + k * 3
        draw.polygon(s(x + 16 - sand, 72 - sand / 2, x + 16 + sand, 72 - sand / 2, x + 16, 60), fill=(250, 210, 100, 255))
        draw.line(s(x + 16, 57, x + 16, 57 + k * 4), fill=(250, 210, 100, 255), width=SCALE)
    return finish(image)


def sprites():
    """A sparkle (64x64) and an emblem of the two crests (128x128), side by side."""
    image, draw = canvas(192, 128)
    for r, colour in ((30, (255, 240, 160, 120)), (20, (255, 250, 200, 200))):
        draw.ellipse(s(32 - r, 32 - r, 32 + r, 32 + r), fill=colour)
    draw.polygon(s(32, 2, 38, 26, 62, 32, 38, 38, 32, 62, 26, 38, 2, 32, 26, 26), fill=(255, 255, 255, 255))
    draw.ellipse(s(68, 4, 188, 124), fill=(30, 40, 90, 230), outline=(220, 190, 90, 255), width=4 * SCALE)
    draw.regular_polygon((128 * SCALE, 64 * SCALE, 40 * SCALE), 6, fill=(48, 96, 192, 255), rotation=30)
    draw.regular_polygon((128 * SCALE, 64 * SCALE, 22 * SCALE), 3, fill=(192, 64, 48, 255))
    return finish(image)


# ---------------------------------------------------------------- voices

# The voices' peak level in decibels below full scale.
VOICE_PEAK_DB = -7

# Voice profiles: espeak-ng voice, pitch and speed of each speaker.
VOICE_PROFILES = {
    "aoria": ("ja+f3", 70, 165), "kestrin": ("ja+m3", 40, 160),
    "gard": ("ja+m1", 15, 135), "mistia": ("ja+f2", 55, 150),
}

# Spoken lines: file name under Data/Voice, speaker, reading in kana (espeak-ng
# reads kana; the script shows the same words with kanji).
VOICES = [
    ("c0e0r0_01", "aoria", "ここが さいしょの しれんの ばしょね"),
    ("c0e0r0_02", "gard", "よくきたな。ここからさきへは とおさん"),
    ("c0e0r1_01", "aoria", "まだ あきらめないのね"),
    ("c0e0r1_02", "gard", "つぎは こうは いかんぞ"),
    ("c0e0r2_01", "gard", "これが さいごの ちからだ"),
    ("c0e0r2_02", "aoria", "いくわよ"),
    ("c0e0g_01", "gard", "みごとだ。みちを ゆずろう"),
    ("c0e0g_02", "aoria", "ありがとう"),
    ("c0e1r0_01", "mistia", "ようこそ。よるの おきゃくさま"),
    ("c0e1r0_02", "aoria", "あなたが とうの まじょね"),
    ("c0e1r1_01", "mistia", "かいだんは あと すこしよ"),
    ("c0e1g_01", "mistia", "ふふ。まけたわ"),
    ("c0e1g_02", "aoria", "これで たびは おわりね"),
    ("c1e0r0_01", "kestrin", "さて、はじめようか"),
    ("c1e0r0_02", "gard", "こい"),
    ("c1e0r1_01", "kestrin", "どうくつの おくまで いくぞ"),
    ("c1e0g_01", "gard", "おまえの けんは ほんものだ"),
    ("c1e0g_02", "kestrin", "わるくない たたかいだった"),
    ("c1e1r0_01", "mistia", "あかい かみの けんしね"),
    ("c1e1r0_02", "kestrin", "あんたに ようが ある"),
    ("c1e1r1_01", "kestrin", "これで おわりだ"),
    ("c1e1g_01", "mistia", "いいわ。ほしを かえしましょう"),
    ("c1e1g_02", "kestrin", "また あおう"),
]


def write_voices(folder):
    voice_folder = os.path.join(folder, "Voice")
    os.makedirs(voice_folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for serial, (name, speaker, reading) in enumerate(VOICES, start=1):
            voice, pitch, speed = VOICE_PROFILES[speaker]
            wav = os.path.join(work, name + ".wav")
            subprocess.run(["espeak-ng", "-v", voice, "-p", str(pitch), "-s", str(speed), "-w", wav, reading],
                           check=True)
            # Every voice peaks at VOICE_PEAK_DB, above the story's music and with room for an effect sound.
            levelled = os.path.join(work, name + "_levelled.wav")
            subprocess.run(["sox", "--no-dither", wav, levelled, "gain", "-n", str(VOICE_PEAK_DB)], check=True)
            subprocess.run(["oggenc", "-Q", "-q", "0", "-s", str(16000 + serial), "-o",
                            os.path.join(voice_folder, name + ".ogg"), levelled], check=True)


# ---------------------------------------------------------------- the story data

def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def write_pictures(folder):
    adv = os.path.join(folder, "ADV")
    for name, draw in BACKGROUNDS.items():
        save(draw().convert("RGB"), adv, os.path.join("Image", name + ".png"))
    for who in CHARACTERS:
        for expression in ("normal", "smile", "angry"):
            save(standing_picture(who, expression), adv, os.path.join("Image", "{}_{}.png".format(who, expression)))
    save(text_window(), adv, "window.png")
    save(cursors(), adv, "cursor.png")
    save(choice_window(), adv, "choice.png")
    save(plates(88, 28, ["セーブ", "ロード", "ログ", "設定", "メニュー"], 14), adv, "buttons.png")
    save(plates(160, 44, ["つづける"], 20), adv, "next.png")
    save(timer_parts(), adv, "timer.png")
    save(sprites(), adv, "sprites.png")


def write_story_files(folder):
    adv = os.path.join(folder, "ADV")
    for (chara, enemy), (rounds, reward) in STORIES.items():
        for story in rounds:
            write_text(os.path.join(adv, story + ".ini"), story_ini("ADV", story))
        write_text(os.path.join(adv, reward + ".ini"), story_ini("Gohoubi", reward))
    write_text(os.path.join(adv, "Common.ini"), ADV_COMMON_INI.format(
        button_top=WINDOW_BUTTON_TOP, button_bottom=WINDOW_BUTTON_TOP + 20, answer_top=WINDOW_ANSWER_TOP,
        answer_bottom=WINDOW_ANSWER_TOP + 40))


def write_story_data(folder, voices=True):
    write_pictures(folder)
    write_story_files(folder)
    if voices:
        write_voices(folder)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Data")
    write_story_data(folder)


if __name__ == "__main__":
    main()
