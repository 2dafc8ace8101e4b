#!/usr/bin/env python3
"""Prints the rows of the correctly rounded functions' hard cases for
tests/numeric_test.cpp: each input's exact result worked out to 120
significant digits with Python's decimal module (independent of MPFR and of
the C library), then rounded to the nearest Double.

The first inputs are ones where this machine's C library rounds the other
way on one of its code paths (found by comparing it with roundedLn,
roundedExp and roundedPow over random inputs); then subnormal results and
the overflow thresholds.
"""
import math
from decimal import Decimal, getcontext

getcontext().prec = 120
getcontext().Emax = 999999
getcontext().Emin = -999999

LIBC = [
    ('pow', '0x1.297edd714f6e1p+6', '0x1.a7cd470103138p+3'),
    ('pow', '0x1.12112ceb85921p+8', '0x1.29a814fcf4c8p+4'),
    ('exp', '0x1.7927f5e7bc884p+7', None),
    ('exp', '-0x1.3cbe9787437bep+9', None),
    ('exp', '-0x1.ab22d4a5c3124p+7', None),
    ('pow', '0x1.87364b7d66936p+5', '-0x1.614e104acdb46p+4'),
    ('pow', '0x1.40896a8f1c969p+9', '0x1.94afd60084a84p+3'),
    ('pow', '0x1.219757c4adbaep+8', '0x1.bce88b8c5f72p+3'),
    ('exp', '-0x1.67d29889824bp+8', None),
    ('exp', '-0x1.5a1451a6a7967p+9', None),
    ('pow', '0x1.7262a508756c3p+9', '-0x1.26b650ff2a04fp+5'),
    ('exp', '0x1.3840357be4392p+8', None),
    ('log', '0x1.eeaa46b17fd1dp-1', None),
    ('log', '0x1.e66ed9057a165p+0', None),
    ('log', '0x1.6c53789a30affp-1', None),
    ('log', '0x1.314bb44ce0487p-1', None),
    ('pow', '0x1.4d361f654b34dp+9', '-0x1.6a256a4f7bcd3p+4'),
    ('exp', '0x1.2b8e3025c7e8p+3', None),
    ('exp', '0x1.1ddfc90d801acp+7', None),
    ('pow', '0x1.11bdc0661413dp+8', '-0x1.2dc6c2b93617ep+5'),
]
SUBNORMAL = [
    ('exp', -709.0, None), ('exp', -720.5, None), ('exp', -744.44007192138122, None),
    ('exp', -745.1332191019411, None), ('exp', -745.1332191019412, None), ('exp', -746.0, None),
    ('pow', 2.0, -1074.0), ('pow', 2.0, -1074.5), ('pow', 2.0, -1075.0),
    ('pow', 10.0, -310.0), ('pow', 0.5, 1073.7), ('pow', 0.1, 320.3),
]
THRESHOLD = [
    ('exp', 709.782712893384, None), ('exp', math.nextafter(709.782712893384, 1000), None),
    ('exp', 709.79, None),
    ('pow', 2.0, 1023.9999999999999), ('pow', 2.0, 1024.0), ('pow', 10.0, 308.25471555991675),
    ('pow', 10.0, 308.2547155599168), ('pow', 1.0000001, 7.1e9),
]
COMMENTS = {
    'LIBC': 'The C library of this machine rounds these the other way on one of its code paths.',
    'SUBNORMAL': 'Subnormal results, the least subnormal, and ties that round to 0.',
    'THRESHOLD': 'Next to the overflow thresholds.',
}


def number(v):
    return float.fromhex(v) if isinstance(v, str) else v


def exact(fn, x, y):
    if fn == 'exp':
        return Decimal(x).exp()
    if fn == 'log':
        return Decimal(x).ln()
    return Decimal(x) ** Decimal(y)


def main():
    for name, rows in (('LIBC', LIBC), ('SUBNORMAL', SUBNORMAL), ('THRESHOLD', THRESHOLD)):
        print('    // ' + COMMENTS[name])
        for fn, x, y in rows:
            x, y = number(x), number(y) if y is not None else None
            r = float(exact(fn, x, y))
            kind = {'exp': 'Fn::Exp', 'log': 'Fn::Ln', 'pow': 'Fn::Pow'}[fn]
            shown = 'kOverflows' if math.isinf(r) else r.hex()
            print('    {%s, %s, %s, %s},' % (kind, x.hex(), y.hex() if y is not None else '0', shown))


if __name__ == '__main__':
    main()
