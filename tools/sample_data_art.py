"""Drawing helpers of the sample data: fonts, gradients, panels and the four
people of the game (Aoria, Kestrin, Gard, Mistia) in a simple vector style.

Every picture is drawn at three times its size and scaled down, which gives
smooth edges without depending on the drawing library's antialiasing. Nothing
here is random, so the pictures are the same on every run.
"""

from PIL import Image, ImageDraw, ImageFont

GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
BOLD_LATIN = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SERIF_LATIN = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"

SUPER = 3


def font(size, path=GOTHIC):
    return ImageFont.truetype(path, size)


def save(image, path):
    image.save(path, "PNG", optimize=True)


def canvas(width, height, colour=(0, 0, 0, 0)):
    """A supersampled RGBA canvas and its drawer; finish() scales it down."""
    image = Image.new("RGBA", (width * SUPER, height * SUPER), colour)
    return image, ImageDraw.Draw(image)


def finish(image, mode="RGBA"):
    width, height = image.size[0] // SUPER, image.size[1] // SUPER
    return image.resize((width, height), Image.LANCZOS).convert(mode)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(width, height, stops):
    """An RGB picture whose colour runs through stops [(position 0..1, colour)]."""
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / max(1, height - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                draw.line([(0, y), (width, y)], fill=mix(c0, c1, (t - p0) / max(1e-9, p1 - p0)))
                break
    return image


def paste_over(base, layer, at=(0, 0)):
    base.alpha_composite(layer, at) if base.mode == "RGBA" else base.paste(layer, at, layer)


def text_outline(draw, xy, text, face, fill, outline, width, anchor="la"):
    draw.text(xy, text, font=face, fill=fill, anchor=anchor, stroke_width=width, stroke_fill=outline)


def panel(size, fill, border, radius=12, alpha=200):
    """A rounded translucent panel with a light border."""
    image, draw = canvas(*size)
    s = SUPER
    draw.rounded_rectangle([s, s, size[0] * s - s - 1, size[1] * s - s - 1], radius * s,
                           fill=fill + (alpha,), outline=border + (255,), width=2 * s)
    return finish(image)


# The people of the game: hair, eyes, clothes and trim (see the sample manifest).
PEOPLE = {
    "aoria": dict(hair=(0x30, 0x60, 0xC0), eyes=(0x20, 0x50, 0xA0), cloth=(0xF4, 0xF6, 0xFF),
                  cloth2=(0x40, 0x70, 0xD0), trim=(0xE0, 0xB0, 0x30), skin=(0xFF, 0xE0, 0xCC), long=True),
    "kestrin": dict(hair=(0xC0, 0x40, 0x30), eyes=(0x30, 0xA0, 0x50), cloth=(0x70, 0x40, 0x20),
                    cloth2=(0xE8, 0xD8, 0xB8), trim=(0xD0, 0xA0, 0x40), skin=(0xF8, 0xD8, 0xC0), long=False),
    "gard": dict(hair=(0x30, 0x50, 0x30), eyes=(0xF0, 0xD0, 0x20), cloth=(0x40, 0xA0, 0x50),
                 cloth2=(0x28, 0x68, 0x38), trim=(0xB0, 0xB8, 0xC0), skin=(0x90, 0xB0, 0x70), long=False,
                 beast=True),
    "mistia": dict(hair=(0xD0, 0xD4, 0xE0), eyes=(0xA0, 0x40, 0xC0), cloth=(0x80, 0x40, 0xB0),
                   cloth2=(0x50, 0x20, 0x78), trim=(0xE0, 0xC0, 0x60), skin=(0xF4, 0xE0, 0xE8), long=True,
                   witch=True),
}


def dark(colour, f=0.6):
    return tuple(int(c * f) for c in colour)


def light(colour, f=0.4):
    return tuple(int(c + (255 - c) * f) for c in colour)


def draw_person(draw, who, face, box):
    """Draws the bust of `who` with the expression `face` (normal, smile, angry,
    worried, down) into the box (left, top, width, height) of a supersampled canvas."""
    p = PEOPLE[who]
    left, top, w, h = box

    def X(u):
        return left + u * w

    def Y(v):
        return top + v * h

    def ell(u0, v0, u1, v1, **kw):
        draw.ellipse([X(u0), Y(v0), X(u1), Y(v1)], **kw)

    def poly(points, **kw):
        draw.polygon([(X(u), Y(v)) for u, v in points], **kw)

    line = max(2, int(w * 0.012))
    ink = (0x30, 0x20, 0x28, 255)
    hair, cloth, cloth2, trim, skin = p["hair"], p["cloth"], p["cloth2"], p["trim"], p["skin"]

    # Hair behind the head.
    if p.get("long"):
        poly([(0.22, 0.30), (0.78, 0.30), (0.86, 0.86), (0.14, 0.86)], fill=dark(hair, 0.85) + (255,))
    # Shoulders and clothes.
    poly([(0.08, 1.0), (0.16, 0.72), (0.36, 0.64), (0.64, 0.64), (0.84, 0.72), (0.92, 1.0)],
         fill=cloth + (255,), outline=ink, width=line)
    poly([(0.40, 0.64), (0.50, 0.80), (0.60, 0.64)], fill=cloth2 + (255,), outline=ink, width=line)
    poly([(0.30, 1.0), (0.36, 0.78), (0.50, 0.86), (0.64, 0.78), (0.70, 1.0)], fill=cloth2 + (255,))
    draw.line([(X(0.36), Y(0.78)), (X(0.50), Y(0.86)), (X(0.64), Y(0.78))], fill=trim + (255,), width=line * 2)
    if p.get("beast"):  # armour plates on the shoulders
        for u in (0.06, 0.70):
            draw.chord([X(u), Y(0.64), X(u + 0.26), Y(0.84)], 180, 360, fill=light(cloth, 0.2) + (255,),
                       outline=ink, width=line)
            draw.line([(X(u + 0.04), Y(0.72)), (X(u + 0.22), Y(0.72))], fill=p["trim"] + (255,), width=line)
    # Neck and face.
    poly([(0.44, 0.56), (0.56, 0.56), (0.57, 0.68), (0.43, 0.68)], fill=dark(skin, 0.9) + (255,))
    ell(0.28, 0.22, 0.72, 0.64, fill=skin + (255,), outline=ink, width=line)
    if p.get("beast"):  # ears and a muzzle
        poly([(0.28, 0.32), (0.22, 0.12), (0.38, 0.24)], fill=hair + (255,), outline=ink, width=line)
        poly([(0.72, 0.32), (0.78, 0.12), (0.62, 0.24)], fill=hair + (255,), outline=ink, width=line)
        ell(0.40, 0.46, 0.60, 0.60, fill=light(skin, 0.3) + (255,))
    # Fringe.
    if p.get("witch"):
        poly([(0.16, 0.30), (0.84, 0.30), (0.56, 0.16), (0.64, -0.02), (0.44, 0.14)],
             fill=cloth2 + (255,), outline=ink, width=line)
        draw.line([(X(0.18), Y(0.30)), (X(0.82), Y(0.30))], fill=trim + (255,), width=line * 2)
    poly([(0.26, 0.40), (0.28, 0.24), (0.40, 0.18), (0.60, 0.18), (0.72, 0.24), (0.74, 0.40),
          (0.66, 0.30), (0.58, 0.36), (0.50, 0.28), (0.42, 0.36), (0.34, 0.30)],
         fill=hair + (255,), outline=ink, width=line)
    if not p.get("beast") and not p.get("witch"):
        ell(0.34, 0.20, 0.44, 0.26, fill=light(hair, 0.35) + (255,))  # shine
    if who == "aoria":  # a gold hair ornament
        ell(0.66, 0.24, 0.74, 0.32, fill=trim + (255,), outline=ink, width=line)

    # Eyes by expression.
    eye = p["eyes"] + (255,)
    for cx in (0.40, 0.60):
        if face in ("smile", "win"):
            draw.arc([X(cx - 0.055), Y(0.41), X(cx + 0.055), Y(0.49)], 200, 340, fill=ink, width=line * 2)
        elif face == "down":
            draw.line([(X(cx - 0.05), Y(0.46)), (X(cx + 0.05), Y(0.46))], fill=ink, width=line * 2)
            ell(cx - 0.015, 0.49, cx + 0.015, 0.53, fill=(0x80, 0xC0, 0xFF, 255))  # a tear
        else:
            ell(cx - 0.045, 0.40, cx + 0.045, 0.50, fill=(255, 255, 255, 255), outline=ink, width=line)
            ell(cx - 0.030, 0.42, cx + 0.030, 0.50, fill=eye)
            ell(cx - 0.012, 0.43, cx + 0.006, 0.455, fill=(255, 255, 255, 255))
        # Brows.
        if face == "angry":
            inner = 0.37 if cx < 0.5 else 0.39
            draw.line([(X(cx - 0.06), Y(0.36 if cx < 0.5 else inner)), (X(cx + 0.06), Y(inner if cx < 0.5 else 0.36))],
                      fill=ink, width=line * 2)
        elif face in ("worried", "crisis", "down"):
            draw.line([(X(cx - 0.06), Y(0.38 if cx < 0.5 else 0.36)), (X(cx + 0.06), Y(0.36 if cx < 0.5 else 0.38))],
                      fill=ink, width=line * 2)
        else:
            draw.arc([X(cx - 0.06), Y(0.35), X(cx + 0.06), Y(0.40)], 200, 340, fill=ink, width=line * 2)
    # Mouth.
    if face in ("smile", "win"):
        draw.chord([X(0.44), Y(0.52), X(0.56), Y(0.58)], 0, 180, fill=(0xC0, 0x40, 0x50, 255), outline=ink, width=line)
    elif face == "angry":
        draw.line([(X(0.45), Y(0.56)), (X(0.55), Y(0.545))], fill=ink, width=line * 2)
    elif face in ("worried", "crisis"):
        ell(0.475, 0.535, 0.525, 0.575, fill=(0x80, 0x30, 0x40, 255), outline=ink, width=line)
        ell(0.70, 0.30, 0.74, 0.38, fill=(0xA0, 0xD8, 0xFF, 255))  # a drop of sweat
    elif face == "down":
        draw.arc([X(0.45), Y(0.55), X(0.55), Y(0.60)], 200, 340, fill=ink, width=line * 2)
    else:
        draw.arc([X(0.45), Y(0.51), X(0.55), Y(0.56)], 20, 160, fill=ink, width=line * 2)
    if face in ("smile", "win", "worried"):  # blush
        for cx in (0.34, 0.66):
            ell(cx - 0.04, 0.49, cx + 0.04, 0.52, fill=(0xFF, 0x90, 0x90, 140))


def person_picture(who, face, width, height, back=None, zoom=1.0, shift=(0.0, 0.0)):
    """The bust of `who` on a transparent (or `back`) picture of that size."""
    image, draw = canvas(width, height, back + (255,) if back else (0, 0, 0, 0))
    s = SUPER
    w = width * s * zoom
    h = w * 1.3
    left = (width * s - w) / 2 + shift[0] * width * s
    top = height * s - h + shift[1] * height * s
    draw_person(draw, who, face, (left, top, w, h))
    return finish(image)
