#!/usr/bin/python3
"""Shows that the values an operation's digest changed on are the ones the correctly rounded
elementary functions give: for the operations that apply sinh, cosh, tanh, exp, sin or cos
directly, every changed value is recomputed with MPFR's correctly rounded function value and the
operation's own double arithmetic (Python floats are IEEE doubles), and compared.
    check_digest_changes.py DUMPS_BEFORE DUMPS_AFTER MPFR_EVAL
where the dump folders hold `zr_digest --dump Class::op` output as Class::op.txt, before and after
the change, and MPFR_EVAL is tools/elementary/mpfr_eval.cpp built."""
import math
import os
import re
import subprocess
import sys

before, after, evaluator = sys.argv[1:4]
NUM = r'[-+]?(?:0x[0-9a-f]+(?:\.[0-9a-f]*)?p[-+]\d+|inf|nan)'


def nums(s):
    return [float.fromhex(t) if 'x' in t else float(t) for t in re.findall(NUM, s)]


def blocks(path):
    out, cur = [], None
    for line in open(path):
        line = line.rstrip('\n')
        if re.match(r'^\S+ #\d+$', line):
            cur = [line]
            out.append(cur)
        elif re.match(r'^\S+::\S+ [0-9a-f]{16} \d+$', line):
            cur = None  # the closing hash line
        elif cur is not None:
            cur.append(line)
    return out


def mpfr(calls):
    text = ''.join('%s %s\n' % (f, ' '.join(float.hex(a) for a in args)) for f, *args in calls)
    res = subprocess.run([evaluator], input=text, capture_output=True, text=True, check=True).stdout.split()
    return [float.fromhex(r) for r in res]


def expect(op, blk):
    """The operation's outputs recomputed with MPFR's function values."""
    x = nums(blk[1])
    if op.startswith('TrigonometricFunctionMath::') and op.split('::')[1] in ('sinh', 'cosh', 'tanh', 'coth', 'sech', 'csch'):
        f = op.split('::')[1]
        base = {'sinh': 'sinh', 'cosh': 'cosh', 'tanh': 'tanh', 'coth': 'tanh', 'sech': 'cosh', 'csch': 'sinh'}[f]
        v = mpfr([(base, x[0])])[0]
        return [v if f == base else (1.0 / v if v != 0 else math.copysign(math.inf, v))]
    if op == 'foundationMath::pol2cart':
        theta, r = x[0], x[1]
        c, s = mpfr([('cos', theta), ('sin', theta)])
        return [r * c, r * s]
    if op == 'statisticsMath::normalpdf':
        m, s = x[-2], x[-1]
        pts = x[:-2]
        c = math.sqrt(6.283185307179586)
        es = mpfr([('exp', -(((p - m) * (p - m)) / ((s * 2.0) * s))) for p in pts])
        return [e * (1.0 / (c * s)) for e in es]
    return None


def same(a, b):
    return (math.isnan(a) and math.isnan(b)) or (a == b and math.copysign(1, a) == math.copysign(1, b))


total_ops = total_calls = total_values = 0
for name in sorted(os.listdir(before)):
    A, B = blocks(os.path.join(before, name)), blocks(os.path.join(after, name))
    changed = [(a, b) for a, b in zip(A, B) if a != b]
    if not changed:
        continue
    op = name[:-4]
    nvals = sum(sum(1 for p, q in zip(nums(' '.join(a[2:])), nums(' '.join(b[2:]))) if not same(p, q))
                for a, b in changed)
    total_ops += 1
    total_calls += len(changed)
    total_values += nvals
    line = '%-40s %4d of %4d calls, %6d values changed' % (op, len(changed), len(A), nvals)
    if expect(op, changed[0][1]) is not None:
        good = bad = 0
        for a, b in changed:
            want = expect(op, b)
            got = nums(' '.join(b[2:]))[-len(want):]
            old = nums(' '.join(a[2:]))[-len(want):]
            for w, g, o in zip(want, got, old):
                if same(g, o):
                    continue
                if same(w, g):
                    good += 1
                else:
                    bad += 1
        line += '; recomputed with MPFR: %d changed values agree, %d do not' % (good, bad)
    print(line)
print('%d operations, %d calls, %d values changed' % (total_ops, total_calls, total_values))
