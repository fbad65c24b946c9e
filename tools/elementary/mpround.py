"""Rounding helpers shared by the table generators: mpmath at 300 bits, values rounded to
nearest double (ties to even) and printed as exact hexadecimal literals."""
import mpmath
from mpmath import mp, mpf

mp.prec = 300


def rn(x, bits=53):
    """x rounded to nearest with `bits` significant bits (ties to even), as an mpf."""
    x = mpf(x)
    if x == 0:
        return mpf(0)
    m, e = mpmath.frexp(x)  # x = m * 2^e, 0.5 <= |m| < 1
    n = int(mpmath.nint(m * mpf(2) ** bits))
    return mpmath.ldexp(mpf(n), e - bits)


def hexd(x):
    return float(x).hex() if x != 0 else "0.0"


def dd(x):
    """x as a double-double: hi the nearest double, lo the nearest double to the rest."""
    hi = rn(x)
    return hi, rn(x - hi)


def dd_str(x):
    hi, lo = dd(x)
    return "{%s, %s}" % (hexd(hi), hexd(lo))


def nstr(x):
    return mpmath.nstr(x, 3)


def veltkamp(x):
    """The Veltkamp split of the double x as the library computes it (Python floats are IEEE
    doubles): hi + lo = x exactly, each with at most 26 significant bits."""
    x = float(x)
    t = 134217729.0 * x
    hi = t - (t - x)
    return hi, x - hi
