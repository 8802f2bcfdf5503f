"""The Python package at work: a display text, a formula check, time windows over two days, and
what the package refuses rather than answer with a starting value or drop a sample."""
import corvixmath as cm

print(cm.eng(12345.678, unit="W"))
print(cm.check_expression("a+*b", variables=["a", "b"]))
print(cm.windows([([0, 100, 3600], [1.0, 3.0, 10.0])], width=3600, step=3600))
print(cm.windows([([0, 100, 88000], [1.0, 3.0, 10.0])], width="2h", step="1d"))
print(cm.check_ip("192.168.100.1000"))

for refused in (lambda: cm.windows([([0, 90000, 100], [1.0, 2.0, 3.0])], width=3600, step=3600),
                lambda: cm.statistics([]),
                lambda: cm.eng(10**400),
                lambda: cm.eng(None)):
    try:
        refused()
    except (TypeError, ValueError) as error:
        print(f"{type(error).__name__}: {error}")
