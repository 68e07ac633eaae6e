#!/usr/bin/env python3
"""Draws the pictures of the financial command keys: each command's short name in a
single-stroke lettering of our own, plus an eraser for Clear.

The letters are stroked paths, not SVG text, so that the keys look the same whatever fonts
are installed. Run from anywhere; it rewrites the fin_*.svg files beside this script.
"""

import re
from pathlib import Path

CAP = 10.0  # cap height in drawing units
STROKE = 1.6
GAP = 2.2  # space between two letters, stroke edge not included

# Each letter: (advance width, path data with its left edge at x = 0, top at y = 0).
LETTERS = {
    "A": (6.6, "M0 10L3.3 0L6.6 10M1.2 6.6H5.4"),
    "B": (5.7, "M0 5H3A2.5 2.5 0 0 0 3 0H0V10H3.1A2.5 2.5 0 0 0 3.1 5"),
    "C": (6.0, "M6 1.6A3.5 5 0 1 0 6 8.4"),
    "E": (5.0, "M5 0H0V10H5M0 5H4.2"),
    "F": (5.0, "M5 0H0V10M0 5H4.2"),
    "I": (2.4, "M0 0H2.4M1.2 0V10M0 10H2.4"),
    "L": (5.0, "M0 0V10H5"),
    "M": (7.2, "M0 10V0L3.6 7L7.2 0V10"),
    "N": (6.0, "M0 10V0L6 10V0"),
    "O": (7.0, "M3.5 0A3.5 5 0 1 0 3.5 10A3.5 5 0 1 0 3.5 0Z"),
    "P": (5.6, "M0 10V0H2.9A2.7 2.7 0 0 1 2.9 5.4H0"),
    "R": (5.6, "M0 10V0H2.9A2.7 2.7 0 0 1 2.9 5.4H0M2.6 5.4L5.6 10"),
    "T": (6.4, "M0 0H6.4M3.2 0V10"),
    "V": (6.4, "M0 0L3.2 10L6.4 0"),
    "%": (7.0, "M6.4 0.4L0.6 9.6M1.6 0.5A1.5 1.8 0 1 0 1.6 4.1A1.5 1.8 0 1 0 1.6 0.5Z"
               "M5.4 5.9A1.5 1.8 0 1 0 5.4 9.5A1.5 1.8 0 1 0 5.4 5.9Z"),
}

SOLVER = "#1d3f8a"  # the five time-value solvers
AMORTISATION = "#1e6b3a"  # parts of a payment, their totals and the balance
CONVERSION = "#6a2c8c"  # effective and nominal rates
CASH_FLOWS = "#8a5200"  # the cash-flow list and its measures
CLEAR = "#a31515"  # as the keypad's clear keys

KEYS = {
    "fin_n": ("N", SOLVER),
    "fin_interest": ("I%", SOLVER),
    "fin_pv": ("PV", SOLVER),
    "fin_fv": ("FV", SOLVER),
    "fin_pmt": ("PMT", SOLVER),
    "fin_ppmt": ("PPMT", AMORTISATION),
    "fin_ipmt": ("IPMT", AMORTISATION),
    "fin_tppmt": ("TPPMT", AMORTISATION),
    "fin_tipmt": ("TIPMT", AMORTISATION),
    "fin_balance": ("BAL", AMORTISATION),
    "fin_effect": ("EFF", CONVERSION),
    "fin_nominal": ("NOM", CONVERSION),
    "fin_cf": ("CF", CASH_FLOWS),
    "fin_npv": ("NPV", CASH_FLOWS),
    "fin_irr": ("IRR", CASH_FLOWS),
    "fin_mirr": ("MIRR", CASH_FLOWS),
}


def number(value):
    return f"{value:.2f}".rstrip("0").rstrip(".")


def shifted(path, dx, dy):
    """Moves absolute path data (M, L, H, V, A, Z) by (dx, dy); arcs keep radii and flags."""
    tokens = re.findall(r"[MLHVAZ]|-?[0-9.]+", path)
    out, command, i = [], None, 0
    while i < len(tokens):
        if tokens[i].isalpha():
            command = tokens[i]
            out.append(command)
            i += 1
        elif command in "ML":
            out.append(f"{number(float(tokens[i]) + dx)} {number(float(tokens[i + 1]) + dy)}")
            i += 2
        elif command in "HV":
            out.append(number(float(tokens[i]) + (dx if command == "H" else dy)))
            i += 1
        else:  # A: rx ry rotation large-arc sweep x y
            end = f"{number(float(tokens[i + 5]) + dx)} {number(float(tokens[i + 6]) + dy)}"
            out.append(" ".join(tokens[i:i + 5] + [end]))
            i += 7
    return re.sub(r"\s*([MLHVAZ])\s*", r"\1", " ".join(out))


def lettering(word, colour):
    margin = STROKE / 2
    x, parts = margin, []
    for letter in word:
        width, path = LETTERS[letter]
        parts.append(shifted(path, x, margin))
        x += width + STROKE + GAP
    width = x - STROKE - GAP + margin
    height = CAP + 2 * margin
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{round(width * 2)}" '
        f'height="{round(height * 2)}" viewBox="0 0 {number(width)} {number(height)}">\n'
        f'  <path stroke="{colour}" stroke-width="{number(STROKE)}" stroke-linecap="round" '
        f'stroke-linejoin="round" fill="none" d="{"".join(parts)}"/>\n'
        "</svg>\n"
    )


# An eraser lying at 35 degrees over a line it has wiped: the sleeve on the right, the rubber
# tip on the left.
ERASER = f"""<svg xmlns="http://www.w3.org/2000/svg" width="33" height="24" viewBox="0 0 16.5 12">
  <path stroke="{CLEAR}" stroke-width="1.1" stroke-linecap="round" fill="none" d="M0.8 11.4H15.7"/>
  <g transform="translate(8.3 5.6) rotate(-35)">
    <path fill="#f6cccc" stroke="{CLEAR}" stroke-width="1" stroke-linejoin="round" d="M-5.4 -2.1H-1.2V2.1H-5.4Z"/>
    <path fill="{CLEAR}" stroke="{CLEAR}" stroke-width="1" stroke-linejoin="round" d="M-1.2 -2.1H5.4V2.1H-1.2Z"/>
  </g>
</svg>
"""


def main():
    folder = Path(__file__).resolve().parent
    for name, (word, colour) in KEYS.items():
        (folder / f"{name}.svg").write_text(lettering(word, colour))
    (folder / "fin_clear.svg").write_text(ERASER)


if __name__ == "__main__":
    main()
